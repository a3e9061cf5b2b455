#include "TestSupport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <unistd.h>

#include "Utf8.h"

namespace fs = std::filesystem;

namespace kestrel::test {

std::wstring wide(const std::string& s) {
    return crt::FromUtf8(s);
}

std::string narrow(const std::wstring& text) {
    return crt::ToUtf8(text);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::vector<AcDbObjectId> entitiesOf(AcDbObjectId recordId) {
    std::vector<AcDbObjectId> ids;
    AcDbBlockTableRecord* record = nullptr;
    if (acdbOpenObject(record, recordId, AcDb::kForRead) != Acad::eOk)
        return ids;
    AcDbBlockTableRecordIterator* it = nullptr;
    record->newIterator(it);
    for (; !it->done(); it->step()) {
        AcDbObjectId id;
        it->getEntityId(id);
        ids.push_back(id);
    }
    delete it;
    record->close();
    return ids;
}

bool fileExists(const std::string& path) {
    return fs::exists(path);
}

std::string scratchDir(const std::string& name) {
    fs::path dir = fs::path(KESTREL_BINARY_DIR) / "tests" / "acad" / "scratch" /
                   (name + "." + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string();
}

std::string run(const std::string& command, int& status) {
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) {
        status = -1;
        return out;
    }
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    int rc = pclose(p);
    status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return out;
}

bool peerAvailable() {
    static int available = -1;
    if (available < 0) {
        int status;
        run("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null", status);
        available = status == 0;
    }
    return available == 1;
}

std::string sampleDir() {
    // One folder per version of the script, so that a changed script makes its drawings anew.
    std::string script = readFile(KESTREL_SOURCE_DIR "/tests/acad/make_drawings.py");
    fs::path dir = fs::path(KESTREL_BINARY_DIR) / "tests" / "acad" /
                   ("drawings-" + std::to_string(std::hash<std::string>()(script) % 1000000007));
    if (!fs::exists(dir / "done")) {
        // Tests run in parallel processes: make the drawings aside, then move them in place.
        fs::path tmp = dir.string() + ".tmp." + std::to_string(getpid());
        int status;
        run("/usr/bin/python3 " KESTREL_SOURCE_DIR "/tests/acad/make_drawings.py '" + tmp.string() +
                "' >/dev/null 2>&1",
            status);
        writeFile((tmp / "done").string(), "");
        std::error_code ec;
        fs::rename(tmp, dir, ec);
        fs::remove_all(tmp, ec);
    }
    return dir.string();
}

std::vector<std::string> sampleNames() {
    return {"sample_R12",        "sample_R2000",       "sample_R2000_cp1255", "sample_R2004",
            "sample_R2007",      "sample_R2010",       "sample_R2013",        "sample_R2018",
            "sample_R12_binary", "sample_R2018_binary"};
}

std::string peer(const std::string& arguments, int& status) {
    return run("/usr/bin/python3 " KESTREL_SOURCE_DIR "/tests/acad/dxf_peer.py " + arguments +
                   " 2>&1",
               status);
}

static std::string layoutKey(std::wstring name) {
    for (wchar_t& c : name)
        if (c >= L'a' && c <= L'z')
            c = wchar_t(c - L'a' + L'A');
    if (!name.empty() && name[0] == L'$')
        name[0] = L'*';
    return narrow(name);
}

std::string viewOf(AcDbDatabase& db) {
    std::vector<std::string> lines;
    AcDbBlockTable* table = nullptr;
    if (db.getBlockTable(table, AcDb::kForRead) != Acad::eOk)
        return "no block table";
    AcDbBlockTableIterator* it = nullptr;
    table->newIterator(it);
    for (; !it->done(); it->step()) {
        AcDbBlockTableRecord* record = nullptr;
        if (it->getRecord(record, AcDb::kForRead) != Acad::eOk)
            continue;
        const ACHAR* name = nullptr;
        record->getName(name);
        lines.push_back("block " + layoutKey(name));
        if (record->isLayout()) {
            std::map<std::string, int> counts;
            AcDbBlockTableRecordIterator* entities = nullptr;
            record->newIterator(entities);
            for (; !entities->done(); entities->step()) {
                AcDbObjectId id;
                entities->getEntityId(id);
                ++counts[id.dxfName()];
            }
            delete entities;
            for (const auto& [type, n] : counts)
                lines.push_back("layout " + layoutKey(name) + " " + type + " " + std::to_string(n));
        }
        record->close();
    }
    delete it;
    table->close();
    std::sort(lines.begin(), lines.end());
    std::string out;
    for (const std::string& l : lines)
        out += l + "\n";
    return out;
}

} // namespace kestrel::test
