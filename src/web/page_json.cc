#include "web/page_json.h"

#include <cstdio>

#include "app/menu_table.h"
#include "base/line_decoding.h"

namespace dravelin {
namespace {

template <typename List, typename Append>
void AppendArray(std::string& json, const List& list, Append append) {
  json += '[';
  bool first = true;
  for (const auto& element : list) {
    if (!first) json += ',';
    first = false;
    append(element);
  }
  json += ']';
}

}  // namespace

void AppendJsonString(std::string& json, std::string_view bytes) {
  json += '"';
  for (char c : DecodeLineUtf8(bytes)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", unsigned{byte});
      json += escape;
    } else {
      json += c;
    }
  }
  json += '"';
}

std::string MenuJson(const Application& application) {
  std::string json = "{\"title\":";
  AppendJsonString(json, kMainWindowCaption);
  json += ",\"dropDowns\":";
  AppendArray(json, kDropDownMenus, [&json](const DropDownMenu& drop_down) {
    json += "{\"component\":";
    AppendJsonString(json, drop_down.component);
    json += ",\"caption\":";
    AppendJsonString(json, drop_down.caption);
    json += '}';
  });
  json += ",\"items\":";
  AppendArray(json, kMenuItemIds, [&json, &application](MenuItemId id) {
    const MenuItem& item = MenuItemOf(id);
    json += "{\"id\":" + std::to_string(IndexOf(id)) +
            ",\"dropDown\":" + std::to_string(static_cast<int>(item.drop_down)) +
            ",\"component\":";
    AppendJsonString(json, item.component);
    json += ",\"caption\":";
    AppendJsonString(json, application.item_caption(id));
    json += std::string(",\"enabled\":") + (application.item_enabled(id) ? "true" : "false");
    json += std::string(",\"asksAssignment\":") + (item.asks_assignment ? "true" : "false");
    json += std::string(",\"readsFolders\":") + (item.reads_folders ? "true" : "false");
    json += ",\"archive\":";
    if (item.archive.empty()) {
      json += "null";
    } else {
      AppendJsonString(json, item.archive);
    }
    json += ",\"shortcut\":";
    if (item.shortcut.empty()) {
      json += "null";
    } else {
      AppendJsonString(json, item.shortcut);
    }
    json += '}';
  });
  json += '}';
  return json;
}

std::string AssignmentDialogJson(const AssignmentDialog& dialog) {
  std::string json = "{\"title\":";
  AppendJsonString(json, kAssignmentDialogTitle);
  json += ",\"prompt\":";
  AppendJsonString(json, kAssignmentDialogPrompt);
  json += ",\"bankColumn\":";
  AppendJsonString(json, kAssignmentBankColumn);
  json += ",\"keyboardColumn\":";
  AppendJsonString(json, kAssignmentKeyboardColumn);
  json += ",\"banks\":";
  AppendArray(json, dialog.banks, [&json](const std::string& bank) { AppendJsonString(json, bank); });
  json += ",\"choices\":";
  AppendArray(json, dialog.choices,
              [&json](std::string_view choice) { AppendJsonString(json, choice); });
  json += ",\"chosen\":";
  AppendArray(json, dialog.chosen, [&json](int index) { json += std::to_string(index); });
  json += '}';
  return json;
}

}  // namespace dravelin
