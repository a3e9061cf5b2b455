#pragma once
// Block counting and synthetic drawings shared by the benchmarks.
#include "dbmain.h"

#include <map>
#include <string>

namespace kestrel::bench {

// Counts the model-space block references per lower-cased block name through the database API
// (open each reference, open its block record, read the name, close both).
std::map<std::wstring, long> countBlockReferences(AcDbDatabase& db);

// Writes an R2000 drawing with `references` block references to `blocks` block names.
void writeDrawing(const std::string& path, long references, int blocks);

} // namespace kestrel::bench
