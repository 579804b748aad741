#include "params/sound_fields.h"

#include <array>
#include <string_view>

#include "params/table_check.h"

namespace dravelin::params {
namespace {

using table::AsSpare;
using table::Moved;
using table::Row;
using table::Shown;
using table::Spare;

// Edit page groups, after the direct-editing function numbers of program
// mode (0 Sample to 16 Mode; drum sounds use 8 for their envelope and 9 for
// their mode).
constexpr std::string_view kCommon = "Common";
constexpr std::string_view kName = "Name";
constexpr std::string_view kSample = "Sample";
constexpr std::string_view kLevel = "Level";
constexpr std::string_view kEffect = "Effect";
constexpr std::string_view kPitch = "Pitch";
constexpr std::string_view kFilter = "Filter";
constexpr std::string_view kAmp = "Amp";
constexpr std::string_view kRange = "Range";
constexpr std::string_view kMod = "Mod";
constexpr std::string_view kPitchLfo = "Pitch LFO";
constexpr std::string_view kFilterLfo = "Filter LFO";
constexpr std::string_view kAmpLfo = "Amp LFO";
constexpr std::string_view kPitchEnv = "Pitch Env";
constexpr std::string_view kFilterEnv = "Filter Env";
constexpr std::string_view kAmpEnv = "Amp Env";
constexpr std::string_view kEnvelope = "Envelope";
constexpr std::string_view kTracking = "Tracking";
constexpr std::string_view kMode = "Mode";

constexpr std::array<std::string_view, 2> kModes = {"Keyboard", "Drum"};
constexpr std::array<std::string_view, 2> kOffOn = {"Off", "On"};
// What the format says of the ROM identifier's values: 0 marks a program
// written on the older ROM (the keyboard remaps its sample addresses).
constexpr std::array<std::string_view, 4> kRoms = {"QS+", "QS", "Reserved (2)", "Reserved (3)"};

constexpr unsigned kCommonBits = 8 * kProgramCommonSize;
constexpr unsigned kSoundBits = 8 * kSoundBlockSize;

constexpr auto kCommonFields = std::to_array<FieldLayout>({
    AsSpare(Row(kCommon, "Program Spare", -1, -1, -1, 0, 0, 7, "0:6-0:0")),
    AsSpare(Row(kCommon, "Program Spare", -1, -1, -1, 0, 0, 1, "0:7")),
    Shown(Row(kName, "Name Digit 0", 8, 0, 0, 0, 95, 7, "1:6-1:0"), Display::kCharacter),
    Shown(Row(kName, "Name Digit 1", 8, 1, 0, 0, 95, 7, "2:5-1:7"), Display::kCharacter),
    Shown(Row(kName, "Name Digit 2", 8, 2, 0, 0, 95, 7, "3:4-2:6"), Display::kCharacter),
    Shown(Row(kName, "Name Digit 3", 8, 3, 0, 0, 95, 7, "4:3-3:5"), Display::kCharacter),
    Shown(Row(kName, "Name Digit 4", 8, 4, 0, 0, 95, 7, "5:2-4:4"), Display::kCharacter),
    Shown(Row(kName, "Name Digit 5", 8, 5, 0, 0, 95, 7, "6:1-5:3"), Display::kCharacter),
    Shown(Row(kName, "Name Digit 6", 8, 6, 0, 0, 95, 7, "7:0-6:2"), Display::kCharacter),
    Shown(Row(kName, "Name Digit 7", 8, 7, 0, 0, 95, 7, "7:7-7:1"), Display::kCharacter),
    Shown(Row(kName, "Name Digit 8", 8, 8, 0, 0, 95, 7, "8:6-8:0"), Display::kCharacter),
    Shown(Row(kName, "Name Digit 9", 8, 9, 0, 0, 95, 7, "9:5-8:7"), Display::kCharacter),
    Shown(Row(kCommon, "ROM Identifier", -1, -1, -1, 0, 3, 2, "9:7-9:6"), Display::kChoice, kRoms),
});
static_assert(table::TilesExactly<kCommonBits>(kCommonFields));

constexpr auto kKeyboardFields = std::to_array<FieldLayout>({
    Shown(Row(kMode, "Keyboard / Drum Mode", 16, 0, 0, 0, 1, 1, "0:0"), Display::kChoice, kModes),
    Row(kSample, "Sample Group", 0, 0, 0, 0, 47, 6, "0:6-0:1"),
    Row(kSample, "Sample Number", 0, 0, 2, 0, 127, 7, "1:5-0:7"),
    Row(kLevel, "Volume", 1, 0, 0, 0, 99, 7, "2:4-1:6"),
    Row(kLevel, "Pan", 1, 0, 1, 0, 6, 3, "2:7-2:5"),
    Row(kLevel, "Output", 1, 0, 2, 0, 2, 2, "3:1-3:0"),
    Row(kEffect, "Effect Level", 2, 0, 0, 0, 99, 7, "4:0-3:2"),
    Row(kEffect, "Effect Bus", 2, 0, 1, 0, 3, 2, "4:2-4:1"),
    Row(kPitch, "Pitch Semitone", 3, 0, 0, -24, 49, 6, "5:0-4:3"),
    Row(kPitch, "Pitch Detune", 3, 0, 2, -99, 199, 8, "6:0-5:1"),
    Row(kPitch, "Pitch Detune Type", 3, 0, 3, 0, 1, 1, "6:1"),
    Row(kPitch, "Pitch Wheel Mod", 3, 1, 0, 0, 12, 4, "6:5-6:2"),
    Row(kPitch, "Pitch Aftertouch Mod", 3, 1, 1, -99, 199, 8, "7:5-6:6"),
    Row(kPitch, "Pitch LFO Mod", 3, 1, 2, -99, 199, 8, "8:5-7:6"),
    Row(kPitch, "Pitch Env Mod", 3, 1, 3, -99, 199, 8, "9:5-8:6"),
    Row(kPitch, "Portamento Mode", 3, 2, 0, 0, 2, 2, "9:7-9:6"),
    Row(kPitch, "Portamento Rate", 3, 2, 2, 0, 99, 7, "10:6-10:0"),
    Row(kPitch, "Key Mode", 3, 2, 3, 0, 2, 2, "11:0-10:7"),
    Row(kFilter, "Filter Frequency", 4, 0, 0, 0, 99, 7, "11:7-11:1"),
    Row(kFilter, "Filter Keyboard Track", 4, 0, 1, 0, 1, 1, "12:0"),
    Row(kFilter, "Filter Velocity Mod", 4, 0, 3, -99, 199, 8, "13:0-12:1"),
    Row(kFilter, "Filter Pitch Wheel Mod", 4, 1, 0, -99, 199, 8, "14:0-13:1"),
    Row(kFilter, "Filter Aftertouch Mod", 4, 1, 1, -99, 199, 8, "15:0-14:1"),
    Row(kFilter, "Filter LFO Mod", 4, 1, 2, -99, 199, 8, "16:0-15:1"),
    Row(kFilter, "Filter Env Mod", 4, 1, 3, -99, 199, 8, "17:0-16:1"),
    Row(kAmp, "Amp Velocity Curve", 5, 0, 0, 0, 12, 4, "17:4-17:1"),
    Row(kAmp, "Amp Aftertouch Mod", 5, 0, 1, -99, 199, 8, "18:4-17:5"),
    Row(kAmp, "Amp LFO Mod", 5, 0, 2, -99, 199, 8, "19:4-18:5"),
    Shown(Row(kRange, "Low Note Limit", 6, 0, 0, 0, 127, 7, "20:3-19:5"), Display::kNote),
    Shown(Row(kRange, "High Note Limit", 6, 0, 1, 0, 127, 7, "21:2-20:4"), Display::kNote),
    Row(kRange, "Overlap", 6, 0, 2, 0, 99, 7, "22:1-21:3"),
    Row(kMod, "Mod 1 Source", 7, 0, 0, 0, 24, 5, "22:6-22:2"),
    Row(kMod, "Mod 1 Destination", 7, 0, 1, 0, 31, 5, "23:3-22:7"),
    Row(kMod, "Mod 1 Amplitude", 7, 0, 2, -99, 199, 8, "24:3-23:4"),
    Row(kMod, "Mod 1 Gate", 7, 0, 3, 0, 1, 1, "24:4"),
    Row(kMod, "Mod 2 Source", 7, 1, 0, 0, 24, 5, "25:1-24:5"),
    Row(kMod, "Mod 2 Destination", 7, 1, 1, 0, 31, 5, "25:6-25:2"),
    Row(kMod, "Mod 2 Amplitude", 7, 1, 2, -99, 199, 8, "26:6-25:7"),
    Row(kMod, "Mod 2 Gate", 7, 1, 3, 0, 1, 1, "26:7"),
    Row(kMod, "Mod 3 Source", 7, 2, 0, 0, 24, 5, "27:4-27:0"),
    Row(kMod, "Mod 3 Destination", 7, 2, 1, 0, 31, 5, "28:1-27:5"),
    Row(kMod, "Mod 3 Amplitude", 7, 2, 2, -99, 199, 8, "29:1-28:2"),
    Row(kMod, "Mod 3 Gate", 7, 2, 3, 0, 1, 1, "29:2"),
    Row(kMod, "Mod 4 Source", 7, 3, 0, 0, 24, 5, "29:7-29:3"),
    Row(kMod, "Mod 4 Destination", 7, 3, 1, 0, 31, 5, "30:4-30:0"),
    Row(kMod, "Mod 4 Amplitude", 7, 3, 2, -99, 199, 8, "31:4-30:5"),
    Row(kMod, "Mod 4 Gate", 7, 3, 3, 0, 1, 1, "31:5"),
    Row(kMod, "Mod 5 Source", 7, 4, 0, 0, 24, 5, "32:2-31:6"),
    Row(kMod, "Mod 5 Destination", 7, 4, 1, 0, 31, 5, "32:7-32:3"),
    Row(kMod, "Mod 5 Amplitude", 7, 4, 2, -99, 199, 8, "33:7-33:0"),
    Row(kMod, "Mod 5 Gate", 7, 4, 3, 0, 1, 1, "34:0"),
    Row(kMod, "Mod 6 Source", 7, 5, 0, 0, 24, 5, "34:5-34:1"),
    Row(kMod, "Mod 6 Destination", 7, 5, 1, 0, 31, 5, "35:2-34:6"),
    Row(kMod, "Mod 6 Amplitude", 7, 5, 2, -99, 199, 8, "36:2-35:3"),
    Row(kMod, "Mod 6 Gate", 7, 5, 3, 0, 1, 1, "36:3"),
    Row(kPitchLfo, "Pitch LFO Waveform", 9, 0, 0, 0, 6, 3, "36:6-36:4"),
    Row(kPitchLfo, "Pitch LFO Speed", 9, 0, 1, 0, 99, 7, "37:5-36:7"),
    Row(kPitchLfo, "Pitch LFO Delay", 9, 0, 2, 0, 99, 7, "38:4-37:6"),
    Row(kPitchLfo, "Pitch LFO Trigger", 9, 0, 3, 0, 3, 2, "38:6-38:5"),
    Row(kPitchLfo, "Pitch LFO Level", 9, 1, 0, 0, 99, 7, "39:5-38:7"),
    Row(kPitchLfo, "Pitch LFO Mod Wheel Mod", 9, 1, 1, -99, 199, 8, "40:5-39:6"),
    Row(kPitchLfo, "Pitch LFO Aftertouch Mod", 9, 1, 2, -99, 199, 8, "41:5-40:6"),
    Row(kFilterLfo, "Filter LFO Waveform", 10, 0, 0, 0, 6, 3, "42:0-41:6"),
    Row(kFilterLfo, "Filter LFO Speed", 10, 0, 1, 0, 99, 7, "42:7-42:1"),
    Row(kFilterLfo, "Filter LFO Delay", 10, 0, 2, 0, 99, 7, "43:6-43:0"),
    Row(kFilterLfo, "Filter LFO Trigger", 10, 0, 3, 0, 3, 2, "44:0-43:7"),
    Row(kFilterLfo, "Filter LFO Level", 10, 1, 0, 0, 99, 7, "44:7-44:1"),
    Row(kFilterLfo, "Filter LFO Mod Wheel Mod", 10, 1, 1, -99, 199, 8, "45:7-45:0"),
    Row(kFilterLfo, "Filter LFO Aftertouch Mod", 10, 1, 2, -99, 199, 8, "46:7-46:0"),
    Row(kAmpLfo, "Amp LFO Waveform", 11, 0, 0, 0, 6, 3, "47:2-47:0"),
    Row(kAmpLfo, "Amp LFO Speed", 11, 0, 1, 0, 99, 7, "48:1-47:3"),
    Row(kAmpLfo, "Amp LFO Delay", 11, 0, 2, 0, 99, 7, "49:0-48:2"),
    Row(kAmpLfo, "Amp LFO Trigger", 11, 0, 3, 0, 3, 2, "49:2-49:1"),
    Row(kAmpLfo, "Amp LFO Level", 11, 1, 0, 0, 99, 7, "50:1-49:3"),
    Row(kAmpLfo, "Amp LFO Mod Wheel Mod", 11, 1, 1, -99, 199, 8, "51:1-50:2"),
    Row(kAmpLfo, "Amp LFO Aftertouch Mod", 11, 1, 2, -99, 199, 8, "52:1-51:2"),
    Row(kPitchEnv, "Pitch Env Attack", 12, 0, 0, 0, 99, 7, "53:0-52:2"),
    Row(kPitchEnv, "Pitch Env Decay", 12, 0, 1, 0, 100, 7, "53:7-53:1"),
    Row(kPitchEnv, "Pitch Env Sustain", 12, 0, 2, 0, 99, 7, "54:6-54:0"),
    Row(kPitchEnv, "Pitch Env Release", 12, 0, 3, 0, 99, 7, "55:5-54:7"),
    Row(kPitchEnv, "Pitch Env Delay", 12, 1, 0, 0, 99, 7, "56:4-55:6"),
    Row(kPitchEnv, "Pitch Env Sustain Decay", 12, 1, 1, 0, 99, 7, "57:3-56:5"),
    Row(kPitchEnv, "Pitch Env Trig Type", 12, 1, 3, 0, 3, 2, "57:5-57:4"),
    Row(kPitchEnv, "Pitch Env Time Track", 12, 2, 0, 0, 1, 1, "57:6"),
    Row(kPitchEnv, "Pitch Env Sustain Pedal", 12, 2, 1, 0, 1, 1, "57:7"),
    Row(kPitchEnv, "Pitch Env Level", 12, 2, 2, 0, 99, 7, "58:6-58:0"),
    Row(kPitchEnv, "Pitch Env Velocity Mod", 12, 2, 3, -99, 199, 8, "59:6-58:7"),
    Row(kFilterEnv, "Filter Env Attack", 13, 0, 0, 0, 99, 7, "60:5-59:7"),
    Row(kFilterEnv, "Filter Env Decay", 13, 0, 1, 0, 99, 7, "61:4-60:6"),
    Row(kFilterEnv, "Filter Env Sustain", 13, 0, 2, 0, 99, 7, "62:3-61:5"),
    Row(kFilterEnv, "Filter Env Release", 13, 0, 3, 0, 99, 7, "63:2-62:4"),
    Row(kFilterEnv, "Filter Env Delay", 13, 1, 0, 0, 100, 7, "64:1-63:3"),
    Row(kFilterEnv, "Filter Env Sustain Decay", 13, 1, 1, 0, 99, 7, "65:0-64:2"),
    Row(kFilterEnv, "Filter Env Trig Type", 13, 1, 3, 0, 3, 2, "65:2-65:1"),
    Row(kFilterEnv, "Filter Env Time Track", 13, 2, 0, 0, 1, 1, "65:3"),
    Row(kFilterEnv, "Filter Env Sustain Pedal", 13, 2, 1, 0, 1, 1, "65:4"),
    Row(kFilterEnv, "Filter Env Level", 13, 2, 2, 0, 99, 7, "66:3-65:5"),
    Row(kFilterEnv, "Filter Env Velocity Mod", 13, 2, 3, -99, 199, 8, "67:3-66:4"),
    Row(kAmpEnv, "Amp Env Attack", 14, 0, 0, 0, 99, 7, "68:2-67:4"),
    Row(kAmpEnv, "Amp Env Decay", 14, 0, 1, 0, 99, 7, "69:1-68:3"),
    Row(kAmpEnv, "Amp Env Sustain", 14, 0, 2, 0, 99, 7, "70:0-69:2"),
    Row(kAmpEnv, "Amp Env Release", 14, 0, 3, 0, 99, 7, "70:7-70:1"),
    Row(kAmpEnv, "Amp Env Delay", 14, 1, 0, 0, 100, 7, "71:6-71:0"),
    Row(kAmpEnv, "Amp Env Sustain Decay", 14, 1, 1, 0, 99, 7, "72:5-71:7"),
    Row(kAmpEnv, "Amp Env Trig Type", 14, 1, 3, 0, 3, 2, "72:7-72:6"),
    Row(kAmpEnv, "Amp Env Time Track", 14, 2, 0, 0, 1, 1, "73:0"),
    Row(kAmpEnv, "Amp Env Sustain Pedal", 14, 2, 1, 0, 1, 1, "73:1"),
    Row(kAmpEnv, "Amp Env Level", 14, 2, 2, 0, 99, 7, "74:0-73:2"),
    Row(kTracking, "Tracking Input", 15, 0, 0, 0, 22, 5, "74:5-74:1"),
    Row(kTracking, "Tracking Point 0", 15, 0, 1, 0, 100, 7, "75:4-74:6"),
    Row(kTracking, "Tracking Point 1", 15, 0, 2, 0, 100, 7, "76:3-75:5"),
    Row(kTracking, "Tracking Point 2", 15, 0, 3, 0, 100, 7, "77:2-76:4"),
    Row(kTracking, "Tracking Point 3", 15, 1, 0, 0, 100, 7, "78:1-77:3"),
    Row(kTracking, "Tracking Point 4", 15, 1, 1, 0, 100, 7, "79:0-78:2"),
    Row(kTracking, "Tracking Point 5", 15, 1, 2, 0, 100, 7, "79:7-79:1"),
    Row(kTracking, "Tracking Point 6", 15, 1, 3, 0, 100, 7, "80:6-80:0"),
    Row(kTracking, "Tracking Point 7", 15, 2, 0, 0, 100, 7, "81:5-80:7"),
    Row(kTracking, "Tracking Point 8", 15, 2, 1, 0, 100, 7, "82:4-81:6"),
    Row(kTracking, "Tracking Point 9", 15, 2, 2, 0, 100, 7, "83:3-82:5"),
    Row(kTracking, "Tracking Point 10", 15, 2, 3, 0, 100, 7, "84:2-83:4"),
    Shown(Row(kMode, "Enable", 16, 0, 3, 0, 1, 1, "84:3"), Display::kChoice, kOffOn),
    Row(kMode, "Drum Number", -1, -1, -1, 0, 9, 4, "84:7-84:4"),
});
static_assert(kKeyboardFields.size() == 122);
static_assert(table::TilesExactly<kSoundBits>(kKeyboardFields));

// The parameters of drum 1; drum n's lie 64 (n - 1) bits further on.
constexpr auto kDrumOneFields = std::to_array<FieldLayout>({
    Row(kSample, "Sample Group", 0, 0, 0, 0, 15, 4, "1:3-1:0"),
    Row(kSample, "Sample Number", 0, 0, 2, 0, 127, 7, "2:2-1:4"),
    Row(kLevel, "Volume", 1, 0, 0, 0, 31, 5, "2:7-2:3"),
    Row(kLevel, "Pan", 1, 0, 1, 0, 6, 3, "3:2-3:0"),
    Row(kLevel, "Output", 1, 0, 2, 0, 2, 2, "3:4-3:3"),
    Row(kEffect, "Effect Level", 2, 0, 0, 0, 63, 6, "4:2-3:5"),
    Row(kEffect, "Effect Bus", 2, 0, 1, 0, 3, 2, "4:4-4:3"),
    Row(kPitch, "Pitch", 3, 0, 0, -48, 97, 7, "5:3-4:5"),
    Row(kPitch, "Pitch Velocity Mod", 3, 0, 1, 0, 7, 3, "5:6-5:4"),
    Row(kFilter, "Filter Velocity Mod", 4, 0, 0, 0, 3, 2, "6:0-5:7"),
    Row(kAmp, "Velocity Curve", 5, 0, 0, 0, 12, 4, "6:4-6:1"),
    Shown(Row(kRange, "Note Number", 6, 0, 0, 0, 127, 7, "7:3-6:5"), Display::kNote),
    Row(kEnvelope, "Amp Envelope Decay", 8, 0, 0, 0, 127, 7, "8:2-7:4"),
    Row(kEnvelope, "Mute Group", 8, 0, 1, 0, 3, 2, "8:4-8:3"),
    Row(kRange, "Note Range", 6, 0, 2, 0, 3, 2, "8:6-8:5"),
    Spare(kCommon, 1, "8:7"),
});
constexpr unsigned kDrums = 10;
constexpr unsigned kDrumBits = 64;

constexpr auto kDrumHead = std::to_array<FieldLayout>({
    Shown(Row(kMode, "Keyboard / Drum Mode", 9, 0, 0, 0, 1, 1, "0:0"), Display::kChoice, kModes),
    Spare(kCommon, 7, "0:7-0:1"),
});
constexpr auto kDrumTail = std::to_array<FieldLayout>({
    Shown(Row(kMode, "Enable", 9, 0, 3, 0, 1, 1, "81:0"), Display::kChoice, kOffOn),
    Spare(kCommon, 7, "81:7-81:1"),
    // Reached from the pages of functions 0 to 6 and 8: it picks the drum
    // those pages edit.
    Row(kMode, "Drum Number", -1, 0, 3, 0, 9, 4, "82:3-82:0"),
    Spare(kCommon, 20, "84:7-82:4"),
});

constexpr auto MakeDrums() {
  std::array<FieldLayout, kDrums * kDrumOneFields.size()> drums{};
  std::size_t at = 0;
  for (unsigned drum = 0; drum < kDrums; ++drum) {
    for (const FieldLayout& field : kDrumOneFields) {
      drums[at++] = Moved(field, drum * kDrumBits, static_cast<std::uint8_t>(drum + 1));
    }
  }
  return drums;
}

constexpr auto kDrumFields = table::Concat(kDrumHead, MakeDrums(), kDrumTail);
static_assert(kDrumFields.size() == 166);
static_assert(table::TilesExactly<kSoundBits>(kDrumFields));

constexpr std::size_t kKeyboardEnable = 120;
constexpr std::size_t kDrumEnable = kDrumHead.size() + kDrums * kDrumOneFields.size();
static_assert(kKeyboardFields[kKeyboardEnable].name == "Enable");
static_assert(kDrumFields[kDrumEnable].name == "Enable");

}  // namespace

SoundKind KindOfSound(const SoundBlock& sound) {
  return sound[0] & 1u ? SoundKind::kDrum : SoundKind::kKeyboard;
}

std::span<const FieldLayout> ProgramCommonFields() { return kCommonFields; }

std::span<const FieldLayout> SoundFields(SoundKind kind) {
  if (kind == SoundKind::kDrum) return kDrumFields;
  return kKeyboardFields;
}

const FieldLayout& SoundEnableField(SoundKind kind) {
  if (kind == SoundKind::kDrum) return kDrumFields[kDrumEnable];
  return kKeyboardFields[kKeyboardEnable];
}

bool IsSoundEnabled(const SoundBlock& sound) {
  return ReadBits(sound, SoundEnableField(KindOfSound(sound)).bits) != 0;
}

}  // namespace dravelin::params
