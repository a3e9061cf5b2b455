#pragma once
// Result-buffer lists as the editor functions build and release them.

// Whether a group code carries a string (entity type, name, layer, ...).
bool IsStringGroupCode(int code);
