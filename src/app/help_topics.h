// The help texts of the "Help" menu and the about banner, as fixed data, and
// the operations that print them into the text pane.
//
// Help goes straight to the pane: it never passes through the report
// channel, so it is shown whatever the screen display switch says and never
// reaches a report file.

#ifndef DRAVELIN_APP_HELP_TOPICS_H_
#define DRAVELIN_APP_HELP_TOPICS_H_

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "report/pane.h"

namespace dravelin {

// One paragraph of a help topic: an optional heading and its body rows. All
// rows of a paragraph share one row width that counts an end-of-text mark, so
// a row holds at most `width` - 1 characters. An empty row prints as a line of
// four blanks, like every other row.
struct HelpParagraph {
  std::string_view heading;  // empty: the paragraph has none
  std::size_t width;         // 70, 72, 74 or 76
  std::span<const std::string_view> rows;
};

struct HelpTopic {
  std::string_view title;
  std::span<const HelpParagraph> paragraphs;
};

inline constexpr int kHelpTopicCount = 15;

// Topic `number`, counting from 1 as the Help menu lists them after the
// about item. `number` must lie in 1..kHelpTopicCount.
const HelpTopic& HelpTopicNumber(int number);

// The about banner: 13 lines of 63 characters, framed by asterisks in columns
// 9 and 63.
inline constexpr std::size_t kAboutBannerLineCount = 13;
inline constexpr std::size_t kAboutBannerWidth = 63;
extern const std::array<std::string_view, kAboutBannerLineCount> kAboutBanner;

// Clears the pane, then appends an empty line, the title and an empty line.
void ShowHelpTitle(Pane& pane, std::string_view title);

// Appends "  <heading>" and an empty line.
void ShowHelpHeading(Pane& pane, std::string_view heading);

// Appends "    <row>".
void ShowHelpLine(Pane& pane, std::string_view row);

// Replaces the pane's contents with the whole topic: the title, then every
// paragraph (one empty line before each but the first), its heading if any
// and all its rows. Nothing follows the last row.
void ShowHelpTopicText(Pane& pane, const HelpTopic& topic);

// Replaces the pane's contents with four empty lines and the about banner.
void ShowAboutBanner(Pane& pane);

}  // namespace dravelin

#endif  // DRAVELIN_APP_HELP_TOPICS_H_
