#pragma once
// Helpers of the drawing database tests: scratch folders, files, and the ezdxf peer.
#include "dbents.h"
#include "dbsymtb.h"

#include <string>
#include <vector>

namespace kestrel::test {

std::wstring wide(const std::string& utf8);
std::string narrow(const std::wstring& text);
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
// A fresh, empty folder under the build tree for one test.
std::string scratchDir(const std::string& name);

// Runs a shell command; its standard output, and the exit status in status.
std::string run(const std::string& command, int& status);
// /usr/bin/python3 with ezdxf, or false.
bool peerAvailable();
// The folder of the drawings made by make_drawings.py (made on first use).
std::string sampleDir();
std::vector<std::string> sampleNames();
// Output of tests/acad/dxf_peer.py.
std::string peer(const std::string& arguments, int& status);

// The entities of a block table record, in its order.
std::vector<AcDbObjectId> entitiesOf(AcDbObjectId recordId);

// What the database holds, in the words dxf_peer.py "view" prints.
std::string viewOf(AcDbDatabase& db);

} // namespace kestrel::test
