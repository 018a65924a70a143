// libFuzzer target for the command line of korrin-cli: any bytes, split at NUL into
// arguments, go through the parser of the command named by the first one, and the values of
// --row and --set through their own parsers. No command runs (nothing is read or written).
// A parsed command line must have exactly the command's operands and only its options, each
// single option at most once and every value option with its value.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/args.h"
#include "cli/cli_session.h"
#include "cli/editor_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) args.emplace_back();
    else args.back() += static_cast<char>(data[i]);
  }
  const std::vector<korrin::cli::CommandSpec>& commands = korrin::cli::Commands();
  // The first argument picks the command by name, or by its first byte when it names none.
  const korrin::cli::CommandSpec* def = korrin::cli::FindCommand(args[0]);
  if (!def) def = &commands[args[0].empty() ? 0 : static_cast<unsigned char>(args[0][0]) % commands.size()];
  const std::vector<std::string> rest(args.begin() + 1, args.end());

  korrin::cli::ParseOutcome outcome = korrin::cli::ParseArgs(*def, rest);
  if (!outcome.args) {
    if (outcome.error.empty()) __builtin_trap();
    return 0;
  }
  const korrin::cli::ParsedArgs& parsed = *outcome.args;
  if (parsed.help) {
    if (korrin::cli::CommandHelp(*def).rfind("Aufruf: korrin-cli " + def->name, 0) != 0) __builtin_trap();
    return 0;
  }
  if (parsed.operands.size() != def->operands.size()) __builtin_trap();
  for (const auto& [name, value] : parsed.options) {
    const korrin::cli::OptionSpec* option = nullptr;
    for (const auto& o : def->options)
      if (o.name == name) option = &o;
    if (!option) __builtin_trap();
    if (option->valueName.empty() && !value.empty()) __builtin_trap();
    if (!option->repeatable) {
      int count = 0;
      for (const auto& other : parsed.options) count += other.first == name;
      if (count != 1) __builtin_trap();
    }
    if (name == "--row") {
      size_t eq = value.find('=');
      if (eq != std::string::npos) {
        auto edit = korrin::cli::ParseRowEdit(value.substr(eq + 1));
        if (edit && edit->function && edit->function->empty()) __builtin_trap();
      }
    } else if (name == "--set") {
      auto setting = korrin::cli::SplitSetting(value);
      if (setting && (setting->first.empty() || setting->first + "=" + setting->second != value)) __builtin_trap();
    }
  }
  return 0;
}
