#pragma once

namespace tw {

// How the close list's programs are closed: not at all, by a close request to each of their
// windows, or by killing their processes.
enum class CloseMethod { None, Soft, Hard };

} // namespace tw
