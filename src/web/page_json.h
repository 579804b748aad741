// What the core tells the page in JSON: the menu (posted once at start) and
// the keyboard banks dialog before a command that asks for it. Texts are
// the core's bytes decoded as the pane decodes its lines.

#ifndef DRAVELIN_WEB_PAGE_JSON_H_
#define DRAVELIN_WEB_PAGE_JSON_H_

#include <string>
#include <string_view>

#include "app/application.h"
#include "app/assignment_dialog.h"

namespace dravelin {

// `bytes` decoded and written as a JSON string, quotes included.
void AppendJsonString(std::string& json, std::string_view bytes);

// { title, dropDowns: [{ component, caption }], items: [{ id, dropDown,
// component, caption, enabled, asksAssignment, readsFolders, archive,
// shortcut }] },
// the items in menu order with their states as `application` holds them.
std::string MenuJson(const Application& application);

// { title, prompt, bankColumn, keyboardColumn, banks: [text], choices:
// [text], chosen: [index in choices, per bank] }.
std::string AssignmentDialogJson(const AssignmentDialog& dialog);

}  // namespace dravelin

#endif  // DRAVELIN_WEB_PAGE_JSON_H_
