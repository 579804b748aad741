#include "params/effects_fields.h"

#include <array>
#include <string_view>

#include "params/table_check.h"

namespace dravelin::params {
namespace {

using table::AsSpare;
using table::Concat;
using table::EffectRow;
using table::Shown;
using table::Spare;
using table::SpareRun;
using table::When;
using table::WhenAll;

constexpr std::string_view kCommon = "Common";
constexpr std::string_view kPitch1 = "Pitch Send 1";
constexpr std::string_view kLezlie1 = "Lezlie Send 1";
constexpr std::string_view kDelay1 = "Delay Send 1";
constexpr std::string_view kReverb1 = "Reverb Send 1";
constexpr std::string_view kOverdrive1 = "Overdrive Send 1";
constexpr std::string_view kPitch2 = "Pitch Send 2";
constexpr std::string_view kDelay2 = "Delay Send 2";
constexpr std::string_view kReverb2 = "Reverb Send 2";
constexpr std::string_view kPitch3 = "Pitch Send 3";
constexpr std::string_view kDelay3 = "Delay Send 3";
constexpr std::string_view kReverb3 = "Reverb Send 3";
constexpr std::string_view kDelay4 = "Delay Send 4";
constexpr std::string_view kReverb4 = "Reverb Send 4";
constexpr std::string_view kEqualizer = "Equalizer";
constexpr std::string_view kModulation = "Modulation";

constexpr std::array<std::string_view, 5> kConfigurations = {
    "4-Sends, 1 Reverb", "4-Sends, 2 Reverb", "4-Sends, 1 Lezlie", "2-Sends, with EQ",
    "Overdrive, Chorus, Delay, Reverb, Lezlie"};
constexpr std::array<std::string_view, 6> kPitchTypes = {"0 (Chorus/Flange)", "1 (Chorus/Flange)",
                                                         "2 (Chorus/Flange)", "3 (Chorus/Flange)",
                                                         "Pitch Detune",      "Resonator"};
constexpr std::array<std::string_view, 3> kShortPitchTypes = {"0 (Chorus/Flange)",
                                                              "1 (Chorus/Flange)", "Resonator"};
constexpr std::array<std::string_view, 3> kDelayTypes = {"Mono", "Stereo", "Ping-Pong"};

// Bit masks of selector values, one per layout of a send.
constexpr std::uint32_t kChorus = 0x0F;     // types 0 to 3
constexpr std::uint32_t kDetune = 0x10;     // type 4
constexpr std::uint32_t kResonator = 0x20;  // type 5
constexpr std::uint32_t kUnknownPitch = 0xC0;
constexpr std::uint32_t kShortChorus = 0x3;     // types 0 and 1 of a 2-bit type
constexpr std::uint32_t kShortResonator = 0x4;  // type 2
constexpr std::uint32_t kUnknownShortPitch = 0x8;
constexpr std::uint32_t kMono = 0x1;
constexpr std::uint32_t kStereo = 0x2;
constexpr std::uint32_t kPingPong = 0x4;
constexpr std::uint32_t kUnknownDelay = 0x8;

constexpr std::string_view kPitch1Type = "9:4-9:2";
constexpr std::string_view kDelay1Type = "13:3-13:2";
constexpr std::string_view kPitch2Type = "31:0-30:6";
constexpr std::string_view kDelay2Type = "34:7-34:6";
constexpr std::string_view kPitch3Type = "43:5-43:4";
constexpr std::string_view kOverdrivePitchType = "9:3-9:2";

constexpr FieldLayout NameDigit(std::string_view name, int page, std::string_view address) {
  return AsSpare(
      Shown(EffectRow(kCommon, name, -1, 2, page, 0, 0, 95, 7, address), Display::kCharacter));
}

// Ten characters that older software kept here (a name for the effects);
// the format calls them deleted and has them sent as zero, but real banks
// hold names in them.
constexpr auto kCommonFields = std::to_array<FieldLayout>({
    NameDigit("Deleted Name Digit 0", 0, "0:6-0:0"),
    NameDigit("Deleted Name Digit 1", 1, "1:5-0:7"),
    NameDigit("Deleted Name Digit 2", 2, "2:4-1:6"),
    NameDigit("Deleted Name Digit 3", 3, "3:3-2:5"),
    NameDigit("Deleted Name Digit 4", 4, "4:2-3:4"),
    NameDigit("Deleted Name Digit 5", 5, "5:1-4:3"),
    NameDigit("Deleted Name Digit 6", 6, "6:0-5:2"),
    NameDigit("Deleted Name Digit 7", 7, "6:7-6:1"),
    NameDigit("Deleted Name Digit 8", 8, "7:6-7:0"),
    NameDigit("Deleted Name Digit 9", 9, "8:5-7:7"),
    Shown(EffectRow(kCommon, "Configuration", -1, 2, 0, 0, 0, 4, 4, "9:1-8:6"), Display::kChoice,
          kConfigurations),
});
// Unpacked byte 64 lies past the format's 64 bytes; real banks use it.
constexpr auto kLastByte = std::to_array<FieldLayout>({Spare(kCommon, 8, "64:7-64:0")});

// --- Configuration 0 and the sends it shares ---------------------------------

constexpr auto kPitchSend1 = std::to_array<FieldLayout>({
    Shown(EffectRow(kPitch1, "Send 1 Pitch Type", 0, 0, 0, 0, 0, 5, 3, kPitch1Type),
          Display::kChoice, kPitchTypes),
    When(EffectRow(kPitch1, "Send 1 Pitch Speed", 0, 0, 1, 1, 0, 99, 7, "10:3-9:5"), kPitch1Type,
         kChorus),
    When(EffectRow(kPitch1, "Send 1 Pitch Shape", 0, 0, 1, 0, 0, 1, 1, "10:4"), kPitch1Type,
         kChorus),
    When(EffectRow(kPitch1, "Send 1 Pitch Depth", 0, 0, 1, 2, 0, 99, 7, "11:3-10:5"), kPitch1Type,
         kChorus),
    When(EffectRow(kPitch1, "Send 1 Pitch Feedback", 0, 0, 1, 3, 0, 99, 7, "12:2-11:4"),
         kPitch1Type, kChorus),
    When(EffectRow(kPitch1, "Send 1 Pitch Detune", 0, 0, 1, 0, -99, 198, 8, "10:4-9:5"),
         kPitch1Type, kDetune),
    When(EffectRow(kPitch1, "Send 1 Resonator Tuning", 0, 0, 1, 0, 0, 99, 7, "10:3-9:5"),
         kPitch1Type, kResonator),
    When(Spare(kPitch1, 1, "10:4"), kPitch1Type, kResonator),
    When(EffectRow(kPitch1, "Send 1 Resonator Decay", 0, 0, 1, 2, 0, 99, 7, "11:3-10:5"),
         kPitch1Type, kResonator),
    When(Spare(kPitch1, 7, "11:3-10:5"), kPitch1Type, kDetune | kUnknownPitch),
    When(Spare(kPitch1, 7, "12:2-11:4"), kPitch1Type, kDetune | kResonator | kUnknownPitch),
    When(Spare(kPitch1, 7, "10:3-9:5"), kPitch1Type, kUnknownPitch),
    When(Spare(kPitch1, 1, "10:4"), kPitch1Type, kUnknownPitch),
    EffectRow(kPitch1, "Send 1 Pitch Mix", 0, 5, 0, 0, 0, 99, 7, "13:1-12:3"),
});

// Send 1's delay times and feedback in the three layouts its delay type
// picks (mono, stereo, ping-pong): the same in configurations 0, 3 and 4.
constexpr auto kDelaySend1Times = std::to_array<FieldLayout>({
    When(EffectRow(kDelay1, "Send 1 Delay 10ms", 0, 4, 1, 1, 0, 79, 7, "15:2-14:4"), kDelay1Type,
         kMono),
    When(EffectRow(kDelay1, "Send 1 Delay 10ms", 0, 4, 1, 1, 0, 39, 7, "15:2-14:4"), kDelay1Type,
         kPingPong),
    When(EffectRow(kDelay1, "Send 1 Delay 1ms", 0, 4, 1, 2, 0, 9, 4, "15:6-15:3"), kDelay1Type,
         kMono | kPingPong),
    When(EffectRow(kDelay1, "Send 1 Delay Feedback", 0, 4, 1, 3, 0, 99, 7, "17:7-17:1"),
         kDelay1Type, kMono | kPingPong),
    When(EffectRow(kDelay1, "Send 1 Left Delay 10ms", 0, 4, 1, 1, 0, 39, 7, "15:2-14:4"),
         kDelay1Type, kStereo),
    When(EffectRow(kDelay1, "Send 1 Left Delay 1ms", 0, 4, 1, 2, 0, 9, 4, "15:6-15:3"), kDelay1Type,
         kStereo),
    When(EffectRow(kDelay1, "Send 1 Right Delay 10ms", 0, 4, 2, 1, 0, 39, 6, "16:4-15:7"),
         kDelay1Type, kStereo),
    When(EffectRow(kDelay1, "Send 1 Right Delay 1ms", 0, 4, 2, 2, 0, 9, 4, "17:0-16:5"),
         kDelay1Type, kStereo),
    When(EffectRow(kDelay1, "Send 1 Left Delay Feedback", 0, 4, 1, 3, 0, 99, 7, "17:7-17:1"),
         kDelay1Type, kStereo),
    When(EffectRow(kDelay1, "Send 1 Right Delay Feedback", 0, 4, 2, 3, 0, 99, 7, "18:6-18:0"),
         kDelay1Type, kStereo),
    When(Spare(kDelay1, 6, "16:4-15:7"), kDelay1Type, kMono | kPingPong | kUnknownDelay),
    When(Spare(kDelay1, 4, "17:0-16:5"), kDelay1Type, kMono | kPingPong | kUnknownDelay),
    When(Spare(kDelay1, 7, "18:6-18:0"), kDelay1Type, kMono | kPingPong | kUnknownDelay),
    When(Spare(kDelay1, 7, "15:2-14:4"), kDelay1Type, kUnknownDelay),
    When(Spare(kDelay1, 4, "15:6-15:3"), kDelay1Type, kUnknownDelay),
    When(Spare(kDelay1, 7, "17:7-17:1"), kDelay1Type, kUnknownDelay),
});

constexpr auto kDelaySend1 =
    Concat(std::to_array<FieldLayout>({
               Shown(EffectRow(kDelay1, "Send 1 Delay Type", 0, 4, 0, 0, 0, 2, 2, kDelay1Type),
                     Display::kChoice, kDelayTypes),
               EffectRow(kDelay1, "Send 1 Delay Input", 0, 4, 1, 0, -99, 198, 8, "14:3-13:4"),
           }),
           kDelaySend1Times,
           std::to_array<FieldLayout>({
               EffectRow(kDelay1, "Send 1 Delay Mix", 0, 5, 0, 1, 0, 99, 7, "19:5-18:7"),
           }));

// Reverb send 1 from its input level to its high decay: the same in
// configurations 0, 2, 3 and 4.
constexpr auto kReverbSend1Body = std::to_array<FieldLayout>({
    EffectRow(kReverb1, "Send 1 Reverb Balance", 0, 3, 0, 2, -99, 198, 8, "21:4-20:5"),
    EffectRow(kReverb1, "Send 1 Reverb Input Level", 0, 3, 0, 3, 0, 99, 7, "22:3-21:5"),
    EffectRow(kReverb1, "Send 1 Reverb Prdly 10ms", 0, 3, 1, 1, 0, 29, 5, "23:0-22:4"),
    EffectRow(kReverb1, "Send 1 Reverb Prdly 1ms", 0, 3, 1, 2, 0, 9, 4, "23:4-23:1"),
    EffectRow(kReverb1, "Send 1 Reverb Input Premix", 0, 3, 1, 3, -99, 198, 8, "24:4-23:5"),
    EffectRow(kReverb1, "Send 1 Reverb Input Filter", 0, 3, 2, 0, 0, 99, 7, "25:3-24:5"),
    EffectRow(kReverb1, "Send 1 Reverb Decay", 0, 3, 2, 1, 0, 99, 7, "26:2-25:4"),
    EffectRow(kReverb1, "Send 1 Reverb Diffusion", 0, 3, 3, 2, 0, 99, 7, "27:1-26:3"),
    EffectRow(kReverb1, "Send 1 Reverb Density", 0, 3, 3, 0, 0, 99, 7, "28:0-27:2"),
    EffectRow(kReverb1, "Send 1 Reverb Low Decay", 0, 3, 2, 2, 0, 99, 7, "28:7-28:1"),
    EffectRow(kReverb1, "Send 1 Reverb High Decay", 0, 3, 2, 3, 0, 99, 7, "29:6-29:0"),
});

constexpr auto kReverbSend1 =
    Concat(std::to_array<FieldLayout>({
               EffectRow(kReverb1, "Send 1 Reverb Type", 0, 3, 1, 0, 0, 6, 4, "20:1-19:6"),
               EffectRow(kReverb1, "Send 1 Reverb Input 1", 0, 3, 0, 0, 0, 1, 1, "20:2"),
               EffectRow(kReverb1, "Send 1 Reverb Input 2", 0, 3, 0, 1, 0, 2, 2, "20:4-20:3"),
           }),
           kReverbSend1Body,
           std::to_array<FieldLayout>({
               EffectRow(kReverb1, "Send 1 Reverb Mix", 0, 5, 0, 2, 0, 99, 7, "30:5-29:7"),
           }));

constexpr auto kPitchSend2 = std::to_array<FieldLayout>({
    Shown(EffectRow(kPitch2, "Send 2 Pitch Type", 1, 0, 0, 0, 0, 5, 3, kPitch2Type),
          Display::kChoice, kPitchTypes),
    When(EffectRow(kPitch2, "Send 2 Pitch Speed", 1, 0, 1, 1, 0, 99, 7, "31:7-31:1"), kPitch2Type,
         kChorus),
    When(EffectRow(kPitch2, "Send 2 Pitch Shape", 1, 0, 1, 0, 0, 1, 1, "32:0"), kPitch2Type,
         kChorus),
    When(EffectRow(kPitch2, "Send 2 Pitch Depth", 1, 0, 1, 2, 0, 99, 7, "32:7-32:1"), kPitch2Type,
         kChorus),
    When(EffectRow(kPitch2, "Send 2 Pitch Feedback", 1, 0, 1, 3, 0, 99, 7, "33:6-33:0"),
         kPitch2Type, kChorus),
    When(EffectRow(kPitch2, "Send 2 Pitch Detune", 1, 0, 1, 0, -99, 198, 8, "32:0-31:1"),
         kPitch2Type, kDetune),
    When(EffectRow(kPitch2, "Send 2 Resonator Tuning", 1, 0, 1, 0, 0, 60, 7, "31:7-31:1"),
         kPitch2Type, kResonator),
    When(Spare(kPitch2, 1, "32:0"), kPitch2Type, kResonator),
    When(EffectRow(kPitch2, "Send 2 Resonator Decay", 1, 0, 1, 2, 0, 99, 7, "32:7-32:1"),
         kPitch2Type, kResonator),
    When(Spare(kPitch2, 7, "32:7-32:1"), kPitch2Type, kDetune | kUnknownPitch),
    When(Spare(kPitch2, 7, "33:6-33:0"), kPitch2Type, kDetune | kResonator | kUnknownPitch),
    When(Spare(kPitch2, 7, "31:7-31:1"), kPitch2Type, kUnknownPitch),
    When(Spare(kPitch2, 1, "32:0"), kPitch2Type, kUnknownPitch),
    EffectRow(kPitch2, "Send 2 Pitch Mix", 1, 5, 0, 0, 0, 99, 7, "34:5-33:7"),
});

constexpr auto kDelaySend2 = std::to_array<FieldLayout>({
    Shown(EffectRow(kDelay2, "Send 2 Delay Type", 1, 4, 0, 0, 0, 2, 2, kDelay2Type),
          Display::kChoice, kDelayTypes),
    EffectRow(kDelay2, "Send 2 Delay Input", 1, 4, 1, 0, -99, 198, 8, "35:7-35:0"),
    When(EffectRow(kDelay2, "Send 2 Delay 10ms", 1, 4, 1, 1, 0, 79, 7, "36:6-36:0"), kDelay2Type,
         kMono),
    When(EffectRow(kDelay2, "Send 2 Delay 10ms", 1, 4, 1, 1, 0, 39, 7, "36:6-36:0"), kDelay2Type,
         kPingPong),
    When(EffectRow(kDelay2, "Send 2 Delay 1ms", 1, 4, 1, 2, 0, 9, 4, "37:2-36:7"), kDelay2Type,
         kMono | kPingPong),
    When(EffectRow(kDelay2, "Send 2 Delay Feedback", 1, 4, 1, 3, 0, 99, 7, "39:3-38:5"),
         kDelay2Type, kMono | kPingPong),
    When(EffectRow(kDelay2, "Send 2 Left Delay 10ms", 1, 4, 1, 1, 0, 39, 7, "36:6-36:0"),
         kDelay2Type, kStereo),
    When(EffectRow(kDelay2, "Send 2 Left Delay 1ms", 1, 4, 1, 2, 0, 9, 4, "37:2-36:7"), kDelay2Type,
         kStereo),
    When(EffectRow(kDelay2, "Send 2 Right Delay 10ms", 1, 4, 2, 1, 0, 39, 6, "38:0-37:3"),
         kDelay2Type, kStereo),
    When(EffectRow(kDelay2, "Send 2 Right Delay 1ms", 1, 4, 2, 2, 0, 9, 4, "38:4-38:1"),
         kDelay2Type, kStereo),
    When(EffectRow(kDelay2, "Send 2 Left Delay Feedback", 1, 4, 1, 3, 0, 99, 7, "39:3-38:5"),
         kDelay2Type, kStereo),
    When(EffectRow(kDelay2, "Send 2 Right Delay Feedback", 1, 4, 2, 3, 0, 99, 7, "40:2-39:4"),
         kDelay2Type, kStereo),
    When(Spare(kDelay2, 6, "38:0-37:3"), kDelay2Type, kMono | kPingPong | kUnknownDelay),
    When(Spare(kDelay2, 4, "38:4-38:1"), kDelay2Type, kMono | kPingPong | kUnknownDelay),
    When(Spare(kDelay2, 7, "40:2-39:4"), kDelay2Type, kMono | kPingPong | kUnknownDelay),
    When(Spare(kDelay2, 7, "36:6-36:0"), kDelay2Type, kUnknownDelay),
    When(Spare(kDelay2, 4, "37:2-36:7"), kDelay2Type, kUnknownDelay),
    When(Spare(kDelay2, 7, "39:3-38:5"), kDelay2Type, kUnknownDelay),
    EffectRow(kDelay2, "Send 2 Delay Mix", 1, 5, 0, 1, 0, 99, 7, "41:1-40:3"),
});

constexpr auto kReverbSend2 = std::to_array<FieldLayout>({
    EffectRow(kReverb2, "Send 2 Reverb Input 1", 1, 3, 0, 0, 0, 1, 1, "41:2"),
    EffectRow(kReverb2, "Send 2 Reverb Input 2", 1, 3, 0, 1, 0, 2, 2, "41:4-41:3"),
    EffectRow(kReverb2, "Send 2 Reverb Balance", 1, 3, 0, 2, -99, 198, 8, "42:4-41:5"),
    EffectRow(kReverb2, "Send 2 Reverb Input Level", 1, 3, 0, 3, 0, 99, 7, "43:3-42:5"),
});

constexpr auto kPitchSend3 = std::to_array<FieldLayout>({
    Shown(EffectRow(kPitch3, "Send 3 Pitch Type", 2, 0, 0, 0, 0, 2, 2, kPitch3Type),
          Display::kChoice, kShortPitchTypes),
    When(EffectRow(kPitch3, "Send 3 Pitch Speed", 2, 0, 1, 1, 0, 99, 7, "44:4-43:6"), kPitch3Type,
         kShortChorus),
    When(EffectRow(kPitch3, "Send 3 Pitch Shape", 2, 0, 1, 0, 0, 1, 1, "44:5"), kPitch3Type,
         kShortChorus),
    When(EffectRow(kPitch3, "Send 3 Pitch Depth", 2, 0, 1, 2, 0, 99, 7, "45:4-44:6"), kPitch3Type,
         kShortChorus),
    When(EffectRow(kPitch3, "Send 3 Pitch Feedback", 2, 0, 1, 3, 0, 99, 7, "46:3-45:5"),
         kPitch3Type, kShortChorus),
    When(EffectRow(kPitch3, "Send 3 Resonator Tuning", 2, 0, 1, 0, 0, 99, 7, "44:4-43:6"),
         kPitch3Type, kShortResonator),
    When(EffectRow(kPitch3, "Send 3 Resonator Decay", 2, 0, 1, 2, 0, 99, 7, "45:4-44:6"),
         kPitch3Type, kShortResonator),
    When(Spare(kPitch3, 1, "44:5"), kPitch3Type, kShortResonator | kUnknownShortPitch),
    When(Spare(kPitch3, 7, "46:3-45:5"), kPitch3Type, kShortResonator | kUnknownShortPitch),
    When(Spare(kPitch3, 7, "44:4-43:6"), kPitch3Type, kUnknownShortPitch),
    When(Spare(kPitch3, 7, "45:4-44:6"), kPitch3Type, kUnknownShortPitch),
    EffectRow(kPitch3, "Send 3 Pitch Mix", 2, 5, 0, 0, 0, 99, 7, "47:2-46:4"),
});

constexpr auto kDelaySend3 = std::to_array<FieldLayout>({
    EffectRow(kDelay3, "Send 3 Delay Input", 2, 4, 0, 0, -99, 198, 8, "48:2-47:3"),
    EffectRow(kDelay3, "Send 3 Delay 10ms", 2, 4, 0, 1, 0, 79, 7, "49:1-48:3"),
    EffectRow(kDelay3, "Send 3 Delay 1ms", 2, 4, 0, 2, 0, 9, 4, "49:5-49:2"),
    EffectRow(kDelay3, "Send 3 Delay Feedback", 2, 4, 0, 3, 0, 99, 7, "50:4-49:6"),
    EffectRow(kDelay3, "Send 3 Delay Mix", 2, 5, 0, 1, 0, 99, 7, "51:3-50:5"),
});

constexpr auto kReverbSend3 = std::to_array<FieldLayout>({
    EffectRow(kReverb3, "Send 3 Reverb Input 1", 2, 3, 0, 0, 0, 1, 1, "51:4"),
    EffectRow(kReverb3, "Send 3 Reverb Input 2", 2, 3, 0, 1, 0, 2, 2, "51:6-51:5"),
    EffectRow(kReverb3, "Send 3 Reverb Balance", 2, 3, 0, 2, -99, 198, 8, "52:6-51:7"),
    EffectRow(kReverb3, "Send 3 Reverb Input Level", 2, 3, 0, 3, 0, 99, 7, "53:5-52:7"),
});

constexpr auto kDelaySend4 = std::to_array<FieldLayout>({
    EffectRow(kDelay4, "Send 4 Delay 10ms", 3, 4, 0, 1, 0, 79, 7, "54:4-53:6"),
    EffectRow(kDelay4, "Send 4 Delay 1ms", 3, 4, 0, 2, 0, 9, 4, "55:0-54:5"),
    EffectRow(kDelay4, "Send 4 Delay Feedback", 3, 4, 0, 3, 0, 99, 7, "55:7-55:1"),
    EffectRow(kDelay4, "Send 4 Delay Mix", 3, 5, 0, 0, 0, 99, 7, "56:6-56:0"),
});

constexpr auto kReverbSend4 = std::to_array<FieldLayout>({
    EffectRow(kReverb4, "Send 4 Reverb Balance", 3, 3, 0, 0, -99, 198, 8, "57:6-56:7"),
    EffectRow(kReverb4, "Send 4 Reverb Input Level", 3, 3, 0, 2, 0, 99, 7, "58:5-57:7"),
});

// The two MIDI modulation routes; configuration 4 has fewer destinations.
constexpr auto Modulation(int destinations) {
  return std::to_array<FieldLayout>({
      EffectRow(kModulation, "MIDImod Source 1", -1, 1, 0, 0, 0, 10, 4, "59:1-58:6"),
      EffectRow(kModulation, "MIDImod Destination 1", -1, 1, 0, 1, 0, destinations, 6, "59:7-59:2"),
      EffectRow(kModulation, "MIDImod Level 1", -1, 1, 0, 2, -99, 198, 8, "60:7-60:0"),
      EffectRow(kModulation, "MIDImod Source 2", -1, 1, 1, 0, 0, 10, 4, "61:3-61:0"),
      EffectRow(kModulation, "MIDImod Destination 2", -1, 1, 1, 1, 0, destinations, 6, "62:1-61:4"),
      EffectRow(kModulation, "MIDImod Level 2", -1, 1, 1, 2, -99, 198, 8, "63:1-62:2"),
      Spare(kModulation, 6, "63:7-63:2"),
  });
}

// Send 1's reverb to send 4's, as configurations 0 and 2 have them.
constexpr auto kFourSendsFromReverb1 =
    Concat(kReverbSend1, kPitchSend2, kDelaySend2, kReverbSend2, kPitchSend3, kDelaySend3,
           kReverbSend3, kDelaySend4, kReverbSend4, Modulation(36), kLastByte);

constexpr auto kConfiguration0 =
    Concat(kCommonFields, kPitchSend1, kDelaySend1, kFourSendsFromReverb1);

// --- Configuration 1 -----------------------------------------------------------

constexpr auto kConfiguration1Sends = std::to_array<FieldLayout>({
    EffectRow(kDelay1, "Send 1 Delay 10ms", 0, 4, 0, 1, 0, 119, 7, "10:0-9:2"),
    EffectRow(kDelay1, "Send 1 Delay 1ms", 0, 4, 0, 2, 0, 9, 4, "10:4-10:1"),
    EffectRow(kDelay1, "Send 1 Delay Feedback", 0, 4, 0, 3, 0, 99, 7, "11:3-10:5"),
    EffectRow(kDelay1, "Send 1 Delay Mix", 0, 5, 0, 0, 0, 99, 7, "12:2-11:4"),
    EffectRow(kPitch1, "Send 1 Pitch Input Level", 0, 0, 0, 2, 0, 99, 7, "13:1-12:3"),
    EffectRow(kPitch1, "Send 1 Pitch Type", 0, 0, 0, 0, 0, 1, 1, "13:2"),
    EffectRow(kPitch1, "Send 1 Pitch Speed", 0, 0, 1, 1, 0, 99, 7, "14:1-13:3"),
    EffectRow(kPitch1, "Send 1 Pitch Shape", 0, 0, 1, 0, 0, 1, 1, "14:2"),
    EffectRow(kPitch1, "Send 1 Pitch Depth", 0, 0, 1, 2, 0, 99, 7, "15:1-14:3"),
    EffectRow(kPitch1, "Send 1 Pitch Mix", 0, 5, 0, 1, 0, 99, 7, "16:0-15:2"),
    EffectRow(kReverb1, "Send 1 Reverb Type", 0, 3, 1, 0, 0, 6, 4, "16:4-16:1"),
    EffectRow(kReverb1, "Send 1 Reverb Input Level", 0, 3, 0, 0, 0, 99, 7, "17:3-16:5"),
    EffectRow(kReverb1, "Send 1 Reverb Prdly 10ms", 0, 3, 1, 1, 0, 29, 5, "18:0-17:4"),
    EffectRow(kReverb1, "Send 1 Reverb Prdly 1ms", 0, 3, 1, 2, 0, 9, 4, "18:4-18:1"),
    EffectRow(kReverb1, "Send 1 Reverb Input Premix", 0, 3, 1, 3, -99, 198, 8, "19:4-18:5"),
    EffectRow(kReverb1, "Send 1 Reverb Input Filter", 0, 3, 2, 0, 0, 99, 7, "20:3-19:5"),
    EffectRow(kReverb1, "Send 1 Reverb Decay", 0, 3, 2, 1, 0, 99, 7, "21:2-20:4"),
    EffectRow(kReverb1, "Send 1 Reverb Diffusion", 0, 3, 3, 2, 0, 99, 7, "22:1-21:3"),
    EffectRow(kReverb1, "Send 1 Reverb Density", 0, 3, 3, 0, 0, 99, 7, "23:0-22:2"),
    EffectRow(kReverb1, "Send 1 Reverb Low Decay", 0, 3, 2, 2, 0, 99, 7, "23:7-23:1"),
    EffectRow(kReverb1, "Send 1 Reverb High Decay", 0, 3, 2, 3, 0, 99, 7, "24:6-24:0"),
    EffectRow(kReverb1, "Send 1 Reverb Mix", 0, 5, 0, 2, 0, 99, 7, "25:5-24:7"),
    EffectRow(kReverb2, "Send 2 Reverb Input Level", 1, 3, 0, 0, 0, 99, 7, "26:4-25:6"),
    // The format's heading and send column say send 3; its names say "Send 2".
    EffectRow(kPitch3, "Send 3 Pitch Speed", 2, 0, 0, 1, 0, 99, 7, "27:3-26:5"),
    EffectRow(kPitch3, "Send 3 Pitch Shape", 2, 0, 0, 0, 0, 1, 1, "27:4"),
    EffectRow(kPitch3, "Send 3 Pitch Depth", 2, 0, 0, 2, 0, 99, 7, "28:3-27:5"),
    EffectRow(kReverb3, "Send 3 Reverb Type", 2, 3, 1, 0, 0, 6, 4, "28:7-28:4"),
    EffectRow(kReverb3, "Send 3 Reverb Input Level", 2, 3, 0, 0, 0, 99, 7, "29:6-29:0"),
    EffectRow(kReverb3, "Send 3 Reverb Prdly 10ms", 2, 3, 1, 1, 0, 29, 5, "30:3-29:7"),
    EffectRow(kReverb3, "Send 3 Reverb Prdly 1ms", 2, 3, 1, 2, 0, 9, 4, "30:7-30:4"),
    EffectRow(kReverb3, "Send 3 Reverb Input Premix", 2, 3, 1, 3, -99, 198, 8, "31:7-31:0"),
    EffectRow(kReverb3, "Send 3 Reverb Input Filter", 2, 3, 2, 0, 0, 99, 7, "32:6-32:0"),
    EffectRow(kReverb3, "Send 3 Reverb Decay", 2, 3, 2, 1, 0, 99, 7, "33:5-32:7"),
    EffectRow(kReverb3, "Send 3 Reverb Diffusion", 2, 3, 3, 2, 0, 99, 7, "34:4-33:6"),
    EffectRow(kReverb3, "Send 3 Reverb Density", 2, 3, 3, 0, 0, 99, 7, "35:3-34:5"),
    EffectRow(kReverb3, "Send 3 Reverb Low Decay", 2, 3, 2, 2, 0, 99, 7, "36:2-35:4"),
    EffectRow(kReverb3, "Send 3 Reverb High Decay", 2, 3, 2, 3, 0, 99, 7, "37:1-36:3"),
    EffectRow(kReverb3, "Send 3 Reverb Mix", 2, 5, 0, 0, 0, 99, 7, "38:0-37:2"),
    EffectRow(kReverb4, "Send 4 Reverb Input Level", 3, 3, 0, 0, 0, 99, 7, "38:7-38:1"),
});

constexpr auto kConfiguration1 = Concat(kCommonFields, kConfiguration1Sends,
                                        SpareRun<312, 470>(kCommon), Modulation(36), kLastByte);

// --- Configuration 2 -----------------------------------------------------------

constexpr auto kConfiguration2Sends = std::to_array<FieldLayout>({
    Spare(kLezlie1, 3, "9:4-9:2"),
    EffectRow(kLezlie1, "Send 1 Lezlie Speed", 0, 0, 0, 1, 0, 1, 7, "10:3-9:5"),
    EffectRow(kLezlie1, "Send 1 Lezlie Motor", 0, 0, 0, 0, 0, 1, 1, "10:4"),
    Shown(EffectRow(kLezlie1, "Send 1 Lezlie Horn", 0, 0, 0, 2, 0, 6, 7, "11:3-10:5"),
          Display::kSevenBitSigned),
    Spare(kLezlie1, 7, "12:2-11:4"),
    EffectRow(kLezlie1, "Send 1 Lezlie Mix", 0, 5, 0, 0, 0, 99, 7, "13:1-12:3"),
    Spare(kDelay1, 2, "13:3-13:2"),
    EffectRow(kDelay1, "Send 1 Delay Input", 0, 4, 0, 0, 0, 99, 8, "14:3-13:4"),
    EffectRow(kDelay1, "Send 1 Delay 10ms", 0, 4, 0, 1, 0, 79, 7, "15:2-14:4"),
    EffectRow(kDelay1, "Send 1 Delay 1ms", 0, 4, 0, 2, 0, 9, 4, "15:6-15:3"),
    Spare(kDelay1, 6, "16:4-15:7"),
    Spare(kDelay1, 4, "17:0-16:5"),
    EffectRow(kDelay1, "Send 1 Delay Feedback", 0, 4, 0, 3, 0, 99, 7, "17:7-17:1"),
    Spare(kDelay1, 7, "18:6-18:0"),
    EffectRow(kDelay1, "Send 1 Delay Mix", 0, 5, 0, 1, 0, 99, 7, "19:5-18:7"),
});

constexpr auto kConfiguration2 = Concat(kCommonFields, kConfiguration2Sends, kFourSendsFromReverb1);

// --- Configuration 3 -----------------------------------------------------------

constexpr auto kEqualizer3 = std::to_array<FieldLayout>({
    Spare(kEqualizer, 2, "43:5-43:4"),
    EffectRow(kEqualizer, "Low EQ Frequency", -1, 6, 0, 0, 0, 5, 3, "44:0-43:6"),
    Spare(kEqualizer, 5, "44:5-44:1"),
    EffectRow(kEqualizer, "Low EQ Gain", -1, 6, 0, 1, 0, 12, 4, "45:1-44:6"),
    Spare(kEqualizer, 3, "45:4-45:2"),
    EffectRow(kEqualizer, "Hi EQ Frequency", -1, 6, 0, 2, 0, 7, 3, "45:7-45:5"),
    Spare(kEqualizer, 4, "46:3-46:0"),
    EffectRow(kEqualizer, "Hi EQ Gain", -1, 6, 0, 3, 0, 9, 4, "46:7-46:4"),
});

constexpr auto kConfiguration3 =
    Concat(kCommonFields, kPitchSend1, kDelaySend1, kReverbSend1, kPitchSend2, kDelaySend2,
           kReverbSend2, kEqualizer3, SpareRun<376, 470>(kEqualizer), Modulation(36), kLastByte);

// --- Configuration 4 -----------------------------------------------------------

constexpr auto kConfiguration4Pitch = std::to_array<FieldLayout>({
    Shown(EffectRow(kPitch1, "Send 1 Pitch Type", 0, 0, 0, 0, 0, 2, 2, kOverdrivePitchType),
          Display::kChoice, kShortPitchTypes),
    Spare(kPitch1, 1, "9:4"),
    EffectRow(kPitch1, "Send 1 Pitch Input 2", 0, 0, 0, 1, 0, 3, 2, "20:4-20:3"),
    EffectRow(kPitch1, "Send 1 Pitch Input Balance", 0, 0, 0, 2, -99, 198, 8, "35:7-35:0"),
    When(EffectRow(kPitch1, "Send 1 Pitch Speed", 0, 0, 1, 1, 0, 99, 7, "10:3-9:5"),
         kOverdrivePitchType, kShortChorus),
    When(EffectRow(kPitch1, "Send 1 Pitch Shape", 0, 0, 1, 0, 0, 1, 1, "10:4"), kOverdrivePitchType,
         kShortChorus),
    When(EffectRow(kPitch1, "Send 1 Pitch Depth", 0, 0, 1, 2, 0, 99, 7, "11:3-10:5"),
         kOverdrivePitchType, kShortChorus),
    When(EffectRow(kPitch1, "Send 1 Pitch Feedback", 0, 0, 1, 3, 0, 99, 7, "12:2-11:4"),
         kOverdrivePitchType, kShortChorus),
    When(EffectRow(kPitch1, "Send 1 Resonator Tuning", 0, 0, 1, 0, 0, 60, 6, "10:2-9:5"),
         kOverdrivePitchType, kShortResonator),
    When(Spare(kPitch1, 2, "10:4-10:3"), kOverdrivePitchType, kShortResonator),
    When(EffectRow(kPitch1, "Send 1 Resonator Decay", 0, 0, 1, 2, 0, 99, 7, "11:3-10:5"),
         kOverdrivePitchType, kShortResonator),
    When(Spare(kPitch1, 7, "12:2-11:4"), kOverdrivePitchType, kShortResonator | kUnknownShortPitch),
    When(Spare(kPitch1, 7, "10:3-9:5"), kOverdrivePitchType, kUnknownShortPitch),
    When(Spare(kPitch1, 1, "10:4"), kOverdrivePitchType, kUnknownShortPitch),
    When(Spare(kPitch1, 7, "11:3-10:5"), kOverdrivePitchType, kUnknownShortPitch),
    EffectRow(kPitch1, "Send 1 Pitch Mix", 0, 5, 0, 2, 0, 99, 7, "13:1-12:3"),
});

constexpr auto kConfiguration4Lezlie = std::to_array<FieldLayout>({
    EffectRow(kLezlie1, "Send 1 Lezlie Input 1", 0, 0, 2, 0, 0, 1, 1, "41:3"),
    EffectRow(kLezlie1, "Send 1 Lezlie Input 2", 0, 0, 2, 1, 0, 8, 4, "40:6-40:3"),
    EffectRow(kLezlie1, "Send 1 Lezlie Input Balance", 0, 0, 2, 2, -99, 198, 8, "42:4-41:5"),
    EffectRow(kLezlie1, "Send 1 Lezlie Speed", 0, 0, 3, 1, 0, 1, 1, "38:5"),
    EffectRow(kLezlie1, "Send 1 Lezlie Motor", 0, 0, 3, 0, 0, 1, 1, "41:2"),
    Shown(EffectRow(kLezlie1, "Send 1 Lezlie Horn", 0, 0, 3, 2, 0, 6, 7, "40:2-39:4"),
          Display::kSevenBitSigned),
    EffectRow(kLezlie1, "Send 1 Lezlie Mix", 0, 5, 1, 3, 0, 99, 7, "31:7-31:1"),
});

constexpr auto kConfiguration4Delay = Concat(
    std::to_array<FieldLayout>({
        Shown(EffectRow(kDelay1, "Send 1 Delay Type", 0, 4, 0, 0, 0, 2, 2, kDelay1Type),
              Display::kChoice, kDelayTypes),
        EffectRow(kDelay1, "Send 1 Delay Input Balance", 0, 4, 0, 2, -99, 198, 8, "14:3-13:4"),
        EffectRow(kDelay1, "Send 1 Delay Input 2", 0, 4, 0, 1, 0, 5, 3, "36:2-36:0"),
    }),
    kDelaySend1Times,
    std::to_array<FieldLayout>({
        EffectRow(kDelay1, "Send 1 Delay Mix", 0, 5, 0, 3, 0, 99, 7, "19:5-18:7"),
    }));

constexpr auto kConfiguration4Reverb =
    Concat(std::to_array<FieldLayout>({
               EffectRow(kReverb1, "Send 1 Reverb Type", 0, 3, 1, 0, 0, 6, 4, "20:1-19:6"),
               EffectRow(kReverb1, "Send 1 Reverb Input 1", 0, 3, 0, 0, 0, 1, 1, "20:2"),
               EffectRow(kReverb1, "Send 1 Reverb Input 2", 0, 3, 0, 1, 0, 5, 3, "31:0-30:6"),
           }),
           kReverbSend1Body,
           std::to_array<FieldLayout>({
               EffectRow(kReverb1, "Send 1 Reverb Mix", 0, 5, 1, 0, 0, 99, 7, "30:5-29:7"),
           }));

constexpr auto kConfiguration4Rest = std::to_array<FieldLayout>({
    EffectRow(kOverdrive1, "Send 1 Overdrive Type", 0, 6, 0, 0, 0, 1, 1, "44:5"),
    EffectRow(kOverdrive1, "Send 1 Overdrive Balance", 0, 6, 1, 2, -99, 198, 8, "48:2-47:3"),
    EffectRow(kOverdrive1, "Send 1 Overdrive Threshold", 0, 6, 0, 2, 0, 99, 7, "50:4-49:6"),
    EffectRow(kOverdrive1, "Send 1 Overdrive Brightness", 0, 6, 1, 0, 0, 99, 7, "49:1-48:3"),
    EffectRow(kEqualizer, "Low EQ Frequency", -1, 6, 0, 0, 0, 5, 3, "44:0-43:6"),
    EffectRow(kEqualizer, "Low EQ Gain", -1, 6, 0, 1, 0, 12, 4, "45:1-44:6"),
    EffectRow(kEqualizer, "Hi EQ Frequency", -1, 6, 0, 2, 0, 7, 3, "45:7-45:5"),
    EffectRow(kEqualizer, "Hi EQ Gain", -1, 6, 0, 3, 0, 9, 4, "46:7-46:4"),
    // Bits the format does not place in this configuration.
    Spare(kCommon, 8, "32:7-32:0"),
    Spare(kCommon, 8, "33:7-33:0"),
    Spare(kCommon, 8, "34:7-34:0"),
    Spare(kCommon, 5, "36:7-36:3"),
    Spare(kCommon, 8, "37:7-37:0"),
    Spare(kCommon, 5, "38:4-38:0"),
    Spare(kCommon, 6, "39:3-38:6"),
    Spare(kCommon, 3, "41:1-40:7"),
    Spare(kCommon, 1, "41:4"),
    Spare(kCommon, 3, "42:7-42:5"),
    Spare(kCommon, 6, "43:5-43:0"),
    Spare(kCommon, 4, "44:4-44:1"),
    Spare(kCommon, 3, "45:4-45:2"),
    Spare(kCommon, 4, "46:3-46:0"),
    Spare(kCommon, 3, "47:2-47:0"),
    Spare(kCommon, 4, "49:5-49:2"),
});

constexpr auto kConfiguration4 =
    Concat(kCommonFields, kConfiguration4Pitch, kConfiguration4Lezlie, kConfiguration4Delay,
           kConfiguration4Reverb, kConfiguration4Rest, SpareRun<405, 470>(kCommon), Modulation(22),
           kLastByte);

// --- A configuration the format does not document ------------------------------

constexpr auto kUnknownConfiguration = Concat(kCommonFields, SpareRun<74, 520>(kCommon));

constexpr unsigned kEffectsBits = 8 * kEffectsDataSize;
static_assert(table::TilesExactly<kEffectsBits>(kConfiguration1));
static_assert(table::TilesExactly<kEffectsBits>(kUnknownConfiguration));

constexpr std::size_t kConfigurationField = 10;
static_assert(kCommonFields[kConfigurationField].name == "Configuration");

}  // namespace

const FieldLayout& EffectsConfigurationField() { return kCommonFields[kConfigurationField]; }

unsigned EffectsConfiguration(const EffectsData& data) {
  return ReadBits(data, EffectsConfigurationField().bits);
}

std::span<const FieldLayout> EffectsFields(unsigned configuration) {
  switch (configuration) {
    case 0:
      return kConfiguration0;
    case 1:
      return kConfiguration1;
    case 2:
      return kConfiguration2;
    case 3:
      return kConfiguration3;
    case 4:
      return kConfiguration4;
    default:
      return kUnknownConfiguration;
  }
}

}  // namespace dravelin::params
