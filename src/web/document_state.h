#pragma once
// The document as the web page reads it: one JSON object with everything the main window
// shows (header, status panels, rows, the editor's settings and its frame's view, undo and
// redo), built from the same core state and the same JSON pieces as `korrin-cli info --json`.
// The page only renders it (web/src/core-api.ts declares its form).
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/document.h"
#include "cli/cli_session.h"
#include "info/hex_compare.h"
#include "info/info_texts.h"

namespace korrin::web {

struct DocumentExtras {
  bool loaded = false;  // a load has run (the info part is null before the first)
  const std::vector<cli::Message>* messages = nullptr;
};

nlohmann::ordered_json DocumentStateJson(Document& doc, const DocumentExtras& extras);
// The frame view of the shown editor alone; null without one. The servo drawings are laid out
// at the desktop frame's pixel sizes (530 x 201 and 530 x 57), which the mouse positions of
// the curve and relay calls refer to as well.
nlohmann::ordered_json EditorViewJson(Document& doc);
// "Rückgängig" / "Rückgängig: NAME" and "Wiederholen" / "Wiederholen: NAME", as the window's
// menu entries read.
std::string UndoText(const std::string& name);
std::string RedoText(const std::string& name);

nlohmann::ordered_json InfoTextsJson(const InfoTexts& texts);
nlohmann::ordered_json ComparisonJson(const ComparisonResult& result);

}  // namespace korrin::web
