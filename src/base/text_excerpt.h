#pragma once
// Quoting what a user typed or a file holds inside a message. A key or value can be megabytes
// long (a hostile file, a pasted mistake); a message shows only its beginning and says how
// long the whole was, so no message grows with its input.
#include <cstddef>
#include <string>
#include <string_view>

namespace korrin {

inline constexpr std::size_t kExcerptBytes = 40;

// The text itself when it has at most limit bytes; otherwise its first bytes (never cutting a
// UTF-8 sequence apart), "…" and the whole length: `abcd… (4194304 Bytes)`. Control
// characters are shown as '?', so an excerpt never breaks the line of its message.
std::string Excerpt(std::string_view text, std::size_t limit = kExcerptBytes);

// The same in double quotes: `"cv29"`, `"kurve1.punkte=0,1,2…" (4194304 Bytes)`.
std::string QuotedExcerpt(std::string_view text, std::size_t limit = kExcerptBytes);

}  // namespace korrin
