#include "app/help_topics.h"

#include <string>

namespace dravelin {
namespace {

// The body rows of every paragraph, as they are printed. Rows break between
// words; the numbered steps keep their indentation inside the rows.
constexpr std::string_view kTopic1Paragraph1[] = {
    "Dravelin is a small desktop program for Linux that creates report files",
    "about the contents of sysex bank files made for the QuadraSynth Plus",
    "keyboard, manufactured by Alesis, Inc. It also runs as a page in any web",
    "browser, and without a window as the batch program 'dravelin-batch'. It",
    "never connects to the keyboard and only reads files; it does not edit sysex",
    "files but unpacks the binary information they hold into text that you can",
    "print or edit. Bank files collected from the web often contain identical",
    "patches under different names. Dravelin helps you sort them out.",
};
constexpr std::string_view kTopic1Paragraph2[] = {
    "Every report is shown on the PC screen and is also written as a text file,",
    "which you can print or view with any PC text editor. Four kinds of reports",
    "can be created: patch name lists, 'instrument' (*.ins) file sections, patch",
    "comparisons among a set of sysex bank files, and patch comparisons of one",
    "set of sysex files against a base set. The help sections on the submenu",
    "commands describe each of them in detail. The screen display and the file",
    "creation can each be turned off or on again from the 'General Control'",
    "submenu.",
};

constexpr std::string_view kTopic2Paragraph1[] = {
    "One-page patch name lists print up to 64 patch names in each of two",
    "columns, 128 names per page, which is the largest number of patches",
    "that a QS+ bank can hold. Such lists help you keep a library of sysex",
    "bank files in order, and they make it easy to find a sound again. You",
    "cannot read the patch names by opening a sysex file in a text editor,",
    "because the names, like all the other data of the patches in the",
    "file, are stored as seven-bit binary data in a compact, bit-packed",
    "form. Dravelin unpacks the bits and creates the text for you.",
};
constexpr std::string_view kTopic2Paragraph2[] = {
    "'Instrument' files were defined by Twelve Tone Systems, Inc., for",
    "their MIDI sequencer Cakewalk, and other programs use them as well.",
    "They are a standard way to define patch banks and their patches: a",
    "linear list of the patches of each bank of one or more MIDI",
    "instruments, together with a few headers. Dravelin creates a separate",
    "instrument file for each sysex bank. You then copy and paste those",
    "into one instrument file that covers several banks of your",
    "instrument, and that is why they are called 'file sections' here.",
    "With such a file your sequencer shows the names of the patches",
    "instead of bare program numbers.",
};

constexpr std::string_view kTopic3Paragraph1[] = {
    "Many sysex bank files for the QS+ are available on the Internet.",
    "Unfortunately, many of them contain identical patches, often under",
    "different names, and finding those by listening to every patch, one",
    "after the other, costs a user hours, and some of them are still",
    "missed. Dravelin looks at the data bytes of each of the four layered",
    "sounds of every patch in a set of sysex bank files, and finds every",
    "two patches that have the identical set of sounds, even when the",
    "sounds are defined in a different order. On request it also reports",
    "'similar' pairs of patches: those with identical names, or with some",
    "but not all of their sounds identical. Such pairs are often",
    "variations of one original sound.",
};
constexpr std::string_view kTopic3Paragraph2[] = {
    "Here all the patches of a set of sysex bank files are compared",
    "against a 'base' set of bank files, which is meant to hold the banks",
    "that are currently installed on your QS+. You can ask either for all",
    "the unique patches of the 'compare' set, the ones that your keyboard",
    "does not have yet, or for all the non-unique patches of the 'compare'",
    "set, the ones that it already holds. Both reports name the bank file",
    "and the number of each patch.",
};

constexpr std::string_view kTopic4Paragraph1[] = {
    "Install the Debian package with your package manager, or with the command",
    "'sudo apt install ./dravelin_1.0.0-1_amd64.deb'. It adds the programs",
    "'dravelin' and 'dravelin-batch', their manual pages and the desktop menu",
    "entry 'Dravelin', which starts the window in the folder '~/Dravelin'.",
};
constexpr std::string_view kTopic4Paragraph2[] = {
    "'Compare' holds the sysex bank files that you want to list or compare, and",
    "every report file that Dravelin creates is written into it as well, so look",
    "for your reports there. Put the bank files that you are interested in, and",
    "that may be every sysex bank file that you have collected so far, into this",
    "directory. If there are no patches here you can do nothing.",
};
constexpr std::string_view kTopic4Paragraph3[] = {
    "'Base' holds the base set of sysex bank files against which the files in",
    "'Compare' are compared, to find the identical and the non-identical",
    "patches. Fill it with the banks that your keyboard holds now, so that you",
    "learn which patches are new to it. It may stay empty when you do not need",
    "those reports.",
};
constexpr std::string_view kTopic4Paragraph4[] = {
    "On its first launch the desktop entry creates '~/Dravelin' with two empty",
    "subfolders, 'Compare' and 'Base'; both programs work on these two folders",
    "below the folder they are started in. 'dravelin-batch' runs the same",
    "commands without a window, for scripts: see 'man dravelin-batch'.",
};
constexpr std::string_view kTopic4Paragraph5[] = {
    "Removing the package ('sudo apt remove dravelin') leaves '~/Dravelin' with",
    "your bank files and reports as it is; no settings are kept anywhere else.",
    "With nothing to install, it also runs in any browser: open dravelin.html.",
};

constexpr std::string_view kTopic5Paragraph1[] = {
    "Put the sysex bank files that you want to examine into the 'Compare'",
    "directory and, for the comparisons against a base, the base files into",
    "the 'Base' directory. All sysex files containing any number of patches",
    "from 1 to 128 will work. Then run the program and pick the reports that",
    "you want from the pull-down menus. Print the report files, or view them",
    "with any text editor. You may change the bank files in both directories",
    "while the program runs: the command 'Read Input Sysex Files Again' picks",
    "the changes up.",
};
constexpr std::string_view kTopic5Paragraph2[] = {
    "For the best use of 'Base', fill it with bank files of everything your",
    "keyboard holds now: your user bank and each of its preset banks, which",
    "depend on the keyboard's OS version (hold the 'Global' button and press the",
    "'Program' button to see it). The reports against 'Base' then tell which",
    "patches are really new to it. If you do not have such files yet, make them",
    "yourself as follows, in less than an hour:",
};
constexpr std::string_view kTopic5Paragraph3[] = {
    "  (1) Send your user bank over a MIDI cable to a PC with a program that",
    "      can send and receive MIDI sysex data.",
    "  (2) Save it in a file. Never change your user bank without saving it",
    "      first.",
    "  (3) Store each patch of preset bank 1 into the user bank, one at a",
    "      time, overwriting the patch in the same place.",
    "  (4) Send the user bank to the PC.",
    "  (5) Save it under a name that tells which preset bank it holds, such",
    "      as 'Preset1.syx'.",
    "  (6) Repeat steps (3) to (5) for every other preset bank.",
};

constexpr std::string_view kTopic6Paragraph1[] = {
    "There is no tutorial as such, but the sysex bank files that come with",
    "Dravelin serve well for trying it out. Put the one user bank file into",
    "the 'Compare' directory and all the other supplied bank files into the",
    "'Base' directory. Then start the program and choose one of the commands",
    "of the submenu 'Compare To 'Base' Directory'. You will see that the user",
    "bank shares some identical patches with one of the supplied banks and",
    "none with the others. That is because some of its patches were kept from",
    "the factory user bank, while the others were taken from bank files found",
    "on the Internet. You are invited to build a user bank to your own taste",
    "in the same way: collect bank files, compare them against your base, and",
    "keep only the patches that are really new to you.",
};
constexpr std::string_view kTopic6Paragraph2[] = {
    "For another exercise, put all the supplied bank files into 'Compare',",
    "request the patch name lists, and compare them with the lists in your",
    "keyboard's manual. You will notice that the display of the keyboard uses",
    "a character (or two) that is not a true ASCII character. Dravelin prints",
    "\"?\" in its place so that any editor can print the list. Apart from that,",
    "the lists should be the same as in the manual.",
    "",
    "",
    "",
    "",
    "",
};

constexpr std::string_view kTopic7Paragraph1[] = {
    "You will need a hexadecimal editor for this, because the sysex data of a",
    "patch holds the number of the place where the patch will be stored, and a",
    "QS+ sysex file is binary, not text. Without such an editor you can only",
    "replace a patch in your user bank by the patch with the same number from",
    "another bank, but that is useless. Here's the right way:",
};
constexpr std::string_view kTopic7Paragraph2[] = {
    "  (1)  Transmit your user bank to the PC and save it.",
    "  (2)  Transmit a bank that holds the patches you want from the PC into",
    "       the user bank of the keyboard.",
    "  (3)  Transmit the patches of interest back to the PC one by one, and",
    "       save each of them as a sysex file of its own.",
    "  (4)  Open one of these patch files in the editor, in hexadecimal",
    "       mode.",
    "  (5)  The file begins with 'F0 00 00 0E 0E 00 xx', where 'xx' can be",
    "       any hex number: it is the number of the place the patch came",
    "       from.",
    "  (6)  Change 'xx' to the number of the place where you want the patch.",
    "       Note that patches are numbered 0 to 127, not 1 to 128.",
    "  (7)  Save the file.",
    "  (8)  Repeat steps (4) to (7) for all the patch files.",
    "  (9)  Transmit the user bank that you saved in step (1) back to the",
    "       keyboard.",
    "  (10) Transmit each edited patch file to the keyboard; each one",
    "       overwrites the patch in its place.",
    "  (11) As a precaution, transmit the new user bank to the PC again and",
    "       save it for your archive.",
};

constexpr std::string_view kTopic8Paragraph1[] = {
    "Use this command after you have changed the sysex bank files in the",
    "'Compare' or the 'Base' directory while the program is running. The",
    "program reads all the sysex files when it starts and again whenever",
    "you give this command, so that the reports always cover the files as",
    "they are now.",
};
constexpr std::string_view kTopic8Paragraph2[] = {
    "Turning the screen display off makes the creation of report files",
    "faster, since nothing has to be shown. The same command turns the",
    "display back on. Its name changes each time you use it, so that it",
    "always tells you which condition (on or off) it will take you to. The",
    "display is on whenever the program starts.",
};
constexpr std::string_view kTopic8Paragraph3[] = {
    "Turning the file creation off gives you the information on the screen",
    "only, and no report file is written or replaced. The same command",
    "turns the file creation back on. Its name changes in the same way, so",
    "that it always tells you what it will do next. Use it to look at a",
    "report without replacing its file.",
};

constexpr std::string_view kTopic9Paragraph1[] = {
    "This command creates one patch name list file for each sysex file in the",
    "'Compare' directory, named '*.txt' where '*' is the name of the sysex file.",
    "These are text files that any editor can open. Each is a one-page list of",
    "all the patch names in the sysex file, in two columns if there are more",
    "than 64 patches. Any patches beyond 128 (the QS+ maximum) are ignored. Note",
    "that the patches are numbered 0 to 127, not 1 to 128, just as the sysex",
    "data numbers them. Everything sent to each file also goes to the screen",
    "unless the screen display is turned off.",
};
constexpr std::string_view kTopic9Paragraph2[] = {
    "This command creates one instrument file for each sysex file in the",
    "'Compare' directory, named '*.ins' where '*' is the name of the sysex file.",
    "These are text files too, meant for the Cakewalk MIDI sequencer and for the",
    "other programs that use this standard to define instruments, their banks",
    "and their patches. Start from an instrument file for all the factory",
    "patches of the QS+, such as one your sequencer offers. Paste the text of a",
    "created file over the user bank section of that file, or of a copy of it;",
    "that is why the created files are called 'file sections'. Each patch name",
    "carries the patch number, which helps you find a patch in a pull-down list",
    "such as Cakewalk's, where the names are sorted and the place of a patch in",
    "its bank would otherwise be lost. The patch names are written as the",
    "keyboard shows them. Everything sent to each file also goes to the screen",
    "unless the screen display is turned off.",
};

constexpr std::string_view kTopic10Paragraph1[] = {
    "This command creates the report file 'compare.txt' in the 'Compare'",
    "directory. For every patch of every sysex file in 'Compare' it lists all",
    "the similar patches in that directory, whether in the same or in another",
    "sysex file, with their patch numbers and the name of the sysex file that",
    "holds them. A similarity means identical names, or any identical sounds",
    "among the 4 layered sounds of a QS+ patch. Each pair is reported once for",
    "each of its two patches, and the patch that the others are compared with is",
    "named first. Be aware that this file can get very large. Everything also",
    "goes to the screen unless the screen display is turned off.",
};
constexpr std::string_view kTopic10Paragraph2[] = {
    "This command creates the report file 'identity.txt' in the 'Compare'",
    "directory. For every patch of every sysex file in 'Compare' it lists",
    "all the identical patches in that directory, in the same or in",
    "another sysex file, with their patch numbers and the names of their",
    "sysex files. An identity means that all 4 layered sounds of the two",
    "patches are identical, even if they are defined in different orders;",
    "the patch names are ignored. Everything also goes to the screen",
    "unless the screen display is turned off. This report is usually much",
    "shorter than the one of 'Print All Similarities', and it is the one",
    "to use when you want to clean up a collection of bank files: of each",
    "group of identical patches you need to keep only one.",
};

constexpr std::string_view kTopic11Paragraph1[] = {
    "This command creates the report file 'uniqC2B.txt' in the 'Compare'",
    "directory. It lists the patches of all the sysex files in 'Compare' that",
    "are unique from all the patches of the 'Base' set, with their patch numbers",
    "and the name of the sysex file that holds them. 'Unique' means that at",
    "least one of the 4 layered sounds of the patch differs from all 4 sounds of",
    "every patch in 'Base'. The patch names and the order of the sounds are",
    "ignored, and the patches in 'Compare' are not compared with each other, so",
    "two copies of a new patch are both listed. These are the patches that your",
    "keyboard does not have yet, and the ones worth a listen when you look for",
    "new sounds. Everything also goes to the screen unless the screen display is",
    "turned off.",
};
constexpr std::string_view kTopic11Paragraph2[] = {
    "This command creates the report file 'identC2B.txt' in the 'Compare'",
    "directory. It lists the patches in 'Compare' that are identical to some",
    "patch of the 'Base' set, that is, the patches whose 4 layered sounds are",
    "identical to the 4 sounds of some patch in 'Base', even if they are defined",
    "in different orders. The patch names are ignored, and the patches in",
    "'Compare' are not compared with each other. These are the patches that your",
    "keyboard already holds, perhaps under another name, so you need not keep",
    "them in your collection. The report lists them in the order of the sysex",
    "files and of the patches in them. Everything also goes to the screen unless",
    "the screen display is turned off.",
};

constexpr std::string_view kTopic12Paragraph1[] = {
    "Creates the report file 'groups.txt' in 'Compare'. A sound group is every",
    "patch in 'Compare', and in 'Base' when it was read, whose 4 layered sounds",
    "are identical to each other's, even if defined in different orders or",
    "repeated; the patch names and numbers are ignored. The report begins with a",
    "summary: the number of patches and banks, of distinct sounds, of groups of",
    "two or more patches with the patches they hold, and the largest group. Then",
    "it lists every group of two or more patches: its different names, then its",
    "patches with patch numbers and the name of the containing sysex file,",
    "'Base' patches marked (Base). Groups are numbered and listed in the order",
    "of their first patch, taking the 'Compare' files in the order they were",
    "read, then the 'Base' files, and the patches of each file in file order;",
    "each group lists its patches in the same order. Everything also goes to the",
    "screen unless the screen display is off.",
};
constexpr std::string_view kTopic12Paragraph2[] = {
    "Creates 'keep.txt' in 'Compare': one line for each sysex file in 'Compare',",
    "with its number of patches, its distinct sounds (patches with identical",
    "sounds count as one sound), the sounds that no other file in 'Compare'",
    "holds and, when 'Base' was read, those of them that no 'Base' patch holds",
    "either. The last of these counts is what the file adds. The files that add",
    "most come first, files that add as much stay in the order they were read,",
    "and a file that adds nothing is marked 'adds nothing'. Two copies of one",
    "file each add nothing, since each holds every sound of the other.",
    "Everything also goes to the screen unless the screen display is off.",
};
constexpr std::string_view kTopic12Paragraph3[] = {
    "Creates 'catalogue.csv' in 'Compare', comma-separated values for a",
    "spreadsheet, in UTF-8 with a byte order mark: one row for every patch of",
    "'Compare' and, when it was read, of 'Base', with its set, sysex file, bank",
    "name, patch number and name, its sound group as 'Print Sound Groups'",
    "numbers it, the number of patches in that group and of files that hold it,",
    "and the number of other patches it is similar to (identical names or any",
    "identical sound). Names are written exactly as they are, in quotes; a",
    "spreadsheet may read a name that begins with =, +, - or @ as a formula.",
    "Everything also goes to the screen unless the screen display is off.",
};

constexpr std::string_view kTopic13Paragraph1[] = {
    "The commands 'Create Instrument Definition File', 'Create MIDNAM File' and",
    "'Create REAPER Bank File' of the 'Create Name Lists' submenu each write one",
    "file into 'Compare' that tells a sequencer the names of the patches of your",
    "bank files. The keyboard selects a bank with MIDI controller 0 alone: the",
    "User bank with 0, Preset 1 to 3 with 1 to 3, Preset 4 (the General MIDI",
    "bank) with 4, and the card banks 1 to 11 with 5 to 15. Before a file is",
    "written, a small window asks which keyboard bank each bank file stands for;",
    "at first the bank files take the User bank and the banks after it in the",
    "order of their names. A bank file beyond the sixteenth, or one you mark as",
    "'Not on the keyboard', is left out. Your choice is kept in the text file",
    "'Compare\\QS+ Banks.slots', which you may edit, and is offered again next",
    "time. 'dravelin-batch' takes it as '--slot BANK=KEYBOARD_BANK' arguments.",
};
constexpr std::string_view kTopic13Paragraph2[] = {
    "'Compare\\QS+ Banks.ins' is a complete instrument definition file: one",
    "instrument, 'QS+ Banks (Dravelin)', and a patch name section for each bank.",
    "'Compare\\QS+ Banks.midnam' is a MIDI Name Document for the model 'QS+ Banks",
    "(Dravelin)'. 'Compare\\QS+ Banks.reabank' is a bank/program file of REAPER.",
    "The names are the patch names without their trailing blanks; in the '.ins'",
    "file a ';' is written as ':', because readers of that format take it as the",
    "start of a comment. Each file also goes to the screen unless the screen",
    "display is turned off.",
};
constexpr std::string_view kTopic13Paragraph3[] = {
    "Cakewalk and Sonar: import the '.ins' file with the Import button of the",
    "dialog that defines instruments and names, and give the instrument 'QS+",
    "Banks (Dravelin)' to the output the keyboard is on. Qtractor: import the",
    "'.ins' file in its Instruments window. Ardour and other programs that read",
    "MIDI Name Documents: put the '.midnam' file where the program looks for",
    "such patch files (for Ardour, the folder 'patchfiles' in its configuration",
    "folder), then choose that model for the track. REAPER: load the '.reabank'",
    "file as the bank/program file of the MIDI editor's bank/program select.",
};

constexpr std::string_view kTopic14Paragraph1[] = {
    "The command 'Build Banks of New Sounds' of the 'Compare Within 'Compare'",
    "Directory' submenu puts one patch of every sound in 'Compare' that no",
    "'Base' patch has (every sound in 'Compare' when 'Base' was not read) into",
    "new bank files that the keyboard loads as they are: 'New Sounds 1.syx',",
    "'New Sounds 2.syx' and so on, 128 programs each, numbered 0 to 127, in the",
    "folder 'New Banks' beside 'Compare' and 'Base'. Patches with identical",
    "sounds count as one sound, as in 'Print Sound Groups': the first of them is",
    "taken, with its name, taking the 'Compare' files in the order they were",
    "read and the patches of each file in file order, and the banks hold the",
    "sounds in that order. Beside each bank, 'New Sounds 1.txt' and so on list",
    "each program with the patch and the sysex file and program number it was",
    "taken from; the lists also go to the screen unless the screen display is",
    "off. The folder is created when it is missing. Files of those names are",
    "replaced and nothing else in the folder is touched, so the banks of an",
    "earlier run with higher numbers stay until you remove them.",
};
constexpr std::string_view kTopic14Paragraph2[] = {
    "Each program is the program dump from its sysex file, byte for byte, with",
    "only its program number changed, followed by that program's effects dump",
    "from the same file, its number changed the same way, when the file holds",
    "one. No mix, global or other data is written: mixes refer to programs by",
    "their numbers and would refer to the wrong ones. A program dump that was",
    "damaged in its file (shorter or longer than a whole dump, or holding a byte",
    "that does not belong in one) is written as a whole dump packed from the",
    "data Dravelin read from it, which is what every report compared; its line",
    "in the list says 'damaged dump rebuilt'. The line of a program whose file",
    "holds no effects dump for it says 'no effects dump'.",
};
constexpr std::string_view kTopic14Paragraph3[] = {
    "Any program that sends sysex files over MIDI will do. Set the keyboard to",
    "receive program dumps (sysex reception on in its MIDI settings), then send",
    "it one 'New Sounds' file. Its programs replace the programs with the same",
    "numbers in the keyboard's User bank, or in a card bank where the keyboard",
    "stores the programs it receives on a card: a whole bank of 128 programs",
    "replaces the whole bank. So first save the bank you are about to replace to",
    "the PC, as the topic 'How to Put New Patches into Your User Bank' shows.",
};

constexpr std::string_view kTopic15Paragraph1[] = {
    "Creates 'twins.txt' in 'Compare': every pair of patches in 'Compare', and",
    "of a 'Compare' patch with a 'Base' patch when 'Base' was read, whose sounds",
    "are not identical but differ in at most three parameters, each difference",
    "named with the first patch's value, then the second's, for example 'Sound 1",
    "Effect Level: 90 / 99'. Patches are held as the sound groups of 'Print",
    "Sound Groups' and numbered as it numbers them, so that a pair of groups",
    "holding many copies is listed once, with the patches of each group. Groups",
    "whose sounds differ only in bits that never count play alike and are listed",
    "together. The pairs differing in 1, 2 and 3 parameters follow in that",
    "order, then every sound group whose patches' effects differ: each of its",
    "effects is held against the first, with the differences. Everything also",
    "goes to the screen unless the screen display is off.",
};
constexpr std::string_view kTopic15Paragraph2[] = {
    "Sounds count as the keyboard plays them: spare bits and whatever a",
    "switched-off sound holds never count, nor do slots or repeated sounds.",
    "Every sound either patch plays is paired with a sound the other plays: with",
    "itself where the other plays it too, otherwise so that the pairs differ in",
    "the fewest parameters in all; a sound may be in more than one pair. A sound",
    "may instead be paired with a switched-off slot of the other patch, which",
    "counts as one difference (its Enable), but only one patch of a pair may",
    "lend such slots. A keyboard sound and a drum sound never pair, and a patch",
    "that plays no sound has no near twin. A sound is named by the first slot",
    "that holds it, both slots where they differ.",
};
constexpr std::string_view kTopic15Paragraph3[] = {
    "Shows every parameter of the patches named on the line that holds the",
    "cursor in the report, in a window of its own beside the report: the",
    "program's common part, each sound and the effects, grouped as the",
    "keyboard's edit pages group them, each value as the keyboard shows it. A",
    "line that names two patches, as the pairs of 'twins.txt' do, shows them",
    "side by side, the second patch's sounds in the order that pairs them best,",
    "'*' marking each parameter that differs and '~' bits that differ but never",
    "count. Any report line that names a patch as \"bank [007:Name      ]\" will",
    "do; a bank name found in both folders means the 'Compare' bank unless",
    "(Base) follows the name. F2 shows the details, Esc closes them.",
    "'dravelin-batch' takes the patches as '--patch BANK:PROGRAM' (one or two)",
    "and prints their details.",
};

constexpr HelpParagraph kTopic1Paragraphs[] = {
    {"What is Dravelin?", 76, kTopic1Paragraph1},
    {"What types of report files can be created?", 76, kTopic1Paragraph2},
};
constexpr HelpParagraph kTopic2Paragraphs[] = {
    {"What is a patch name list?", 70, kTopic2Paragraph1},
    {"What is an instrument file section?", 70, kTopic2Paragraph2},
};
constexpr HelpParagraph kTopic3Paragraphs[] = {
    {"What is a 'comparison among a set of sysex bank files'?", 70, kTopic3Paragraph1},
    {"What is a 'comparison of one set of sysex files against a base set'?", 70, kTopic3Paragraph2},
};
constexpr HelpParagraph kTopic4Paragraphs[] = {
    {"", 76, kTopic4Paragraph1}, {"", 76, kTopic4Paragraph2}, {"", 76, kTopic4Paragraph3},
    {"", 76, kTopic4Paragraph4}, {"", 76, kTopic4Paragraph5},
};
constexpr HelpParagraph kTopic5Paragraphs[] = {
    {"", 74, kTopic5Paragraph1},
    {"", 76, kTopic5Paragraph2},
    {"", 72, kTopic5Paragraph3},
};
constexpr HelpParagraph kTopic6Paragraphs[] = {
    {"", 74, kTopic6Paragraph1},
    {"", 74, kTopic6Paragraph2},
};
constexpr HelpParagraph kTopic7Paragraphs[] = {
    {"", 76, kTopic7Paragraph1},
    {"", 72, kTopic7Paragraph2},
};
constexpr HelpParagraph kTopic8Paragraphs[] = {
    {"Read Input Sysex Files Again", 70, kTopic8Paragraph1},
    {"Turn On/Off Screen Display", 70, kTopic8Paragraph2},
    {"Turn On/Off File Creation", 70, kTopic8Paragraph3},
};
constexpr HelpParagraph kTopic9Paragraphs[] = {
    {"Create Patch Name Lists", 76, kTopic9Paragraph1},
    {"Create Instrument File Sections", 76, kTopic9Paragraph2},
};
constexpr HelpParagraph kTopic10Paragraphs[] = {
    {"Print All Similarities", 76, kTopic10Paragraph1},
    {"Print Only Identities", 70, kTopic10Paragraph2},
};
constexpr HelpParagraph kTopic11Paragraphs[] = {
    {"Print Unique Patches Only", 76, kTopic11Paragraph1},
    {"Print Identical Patches Only", 76, kTopic11Paragraph2},
};
constexpr HelpParagraph kTopic12Paragraphs[] = {
    {"Print Sound Groups", 76, kTopic12Paragraph1},
    {"Print Banks Worth Keeping", 76, kTopic12Paragraph2},
    {"Create Patch Catalogue", 76, kTopic12Paragraph3},
};

constexpr HelpParagraph kTopic13Paragraphs[] = {
    {"Which keyboard bank each bank file stands for", 76, kTopic13Paragraph1},
    {"The three files", 76, kTopic13Paragraph2},
    {"Where each sequencer looks for them", 76, kTopic13Paragraph3},
};

constexpr HelpParagraph kTopic14Paragraphs[] = {
    {"Build Banks of New Sounds", 76, kTopic14Paragraph1},
    {"What the bank files hold", 76, kTopic14Paragraph2},
    {"How to send a bank to the keyboard", 76, kTopic14Paragraph3},
};

constexpr HelpParagraph kTopic15Paragraphs[] = {
    {"Print Near Twins", 76, kTopic15Paragraph1},
    {"How sounds are paired and counted", 76, kTopic15Paragraph2},
    {"Show Patch Details", 76, kTopic15Paragraph3},
};

constexpr std::array<HelpTopic, kHelpTopicCount> kTopics = {{
    {"What does the Dravelin Program Do?", kTopic1Paragraphs},
    {"How to Create 'Patch List' Reports", kTopic2Paragraphs},
    {"How to Create 'Comparison' Reports", kTopic3Paragraphs},
    {"How to Install the Dravelin Program", kTopic4Paragraphs},
    {"How to Run the Dravelin Program", kTopic5Paragraphs},
    {"Tutorial or 'Quick Start' Information", kTopic6Paragraphs},
    {"How to Put New Patches into Your User Bank", kTopic7Paragraphs},
    {"General Control - Submenu Commands", kTopic8Paragraphs},
    {"Create Name Lists - Submenu Commands", kTopic9Paragraphs},
    {"Compare Within 'Compare' Directory - Submenu Commands", kTopic10Paragraphs},
    {"Compare to Base Directory - Submenu Commands", kTopic11Paragraphs},
    {"Sound Groups, Banks Worth Keeping and the Catalogue", kTopic12Paragraphs},
    {"Patch Names for Your Sequencer", kTopic13Paragraphs},
    {"Banks of New Sounds for Your Keyboard", kTopic14Paragraphs},
    {"Near Twins and Patch Details", kTopic15Paragraphs},
}};

constexpr std::string_view kBannerStarLine =
    "        * * * * * * * * * * * * * * * * * * * * * * * * * * * *";
constexpr std::string_view kBannerEmptyLine =
    "        *                                                     *";

}  // namespace

// Lines 5 and 9 to 11 name the project and where to reach it.
const std::array<std::string_view, kAboutBannerLineCount> kAboutBanner = {
    kBannerStarLine,
    kBannerEmptyLine,
    "        *  This is version 1.0 of the program, Dravelin.      *",
    kBannerEmptyLine,
    "        *  Written and maintained by the Dravelin project.    *",
    kBannerEmptyLine,
    "        *       Send all questions and comments to:           *",
    kBannerEmptyLine,
    "        *                    The Dravelin project,            *",
    "        *                    through the issue tracker        *",
    "        *                    of its source repository.        *",
    kBannerEmptyLine,
    kBannerStarLine,
};

const HelpTopic& HelpTopicNumber(int number) {
  return kTopics[static_cast<std::size_t>(number - 1)];
}

void ShowHelpTitle(Pane& pane, std::string_view title) {
  pane.ClearPane();
  pane.AppendPaneLine("");
  pane.AppendPaneLine(title);
  pane.AppendPaneLine("");
}

void ShowHelpHeading(Pane& pane, std::string_view heading) {
  std::string line = "  ";
  line += heading;
  pane.AppendPaneLine(line);
  pane.AppendPaneLine("");
}

void ShowHelpLine(Pane& pane, std::string_view row) {
  std::string line = "    ";
  line += row;
  pane.AppendPaneLine(line);
}

void ShowHelpTopicText(Pane& pane, const HelpTopic& topic) {
  ShowHelpTitle(pane, topic.title);
  bool first = true;
  for (const HelpParagraph& paragraph : topic.paragraphs) {
    if (!first) pane.AppendPaneLine("");
    first = false;
    if (!paragraph.heading.empty()) ShowHelpHeading(pane, paragraph.heading);
    for (std::string_view row : paragraph.rows) ShowHelpLine(pane, row);
  }
}

void ShowAboutBanner(Pane& pane) {
  pane.ClearPane();
  for (int i = 0; i < 4; ++i) pane.AppendPaneLine("");
  for (std::string_view line : kAboutBanner) pane.AppendPaneLine(line);
}

}  // namespace dravelin
