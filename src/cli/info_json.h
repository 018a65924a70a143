#pragma once
// What `korrin-cli info --json` prints about a loaded document: type, PIC, protocol, version,
// ID, configuration, EEPROM, the shown rows, the editor's settings and actions, and the
// messages shown while loading. The web binding shows the same object.
#include <vector>

#include <nlohmann/json.hpp>

#include "app/document.h"
#include "cli/cli_session.h"

namespace korrin::cli {

nlohmann::ordered_json InfoJson(Document& doc, const std::vector<Message>& shownMessages);

}  // namespace korrin::cli
