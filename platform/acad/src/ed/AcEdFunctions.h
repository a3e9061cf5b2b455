#pragma once
// The editor functions' own state.

namespace ed {
// Forgets the answers of a previous acedInitGet (each get function does so once it returns).
void ResetInitGet();
} // namespace ed
