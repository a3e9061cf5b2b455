// A small application for the end-to-end tests: its commands call the host's editor services
// the way the Kestrel module does and print what they got, so scripts can drive and check them.

#include <stdexcept>

#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"

#include <aced.h>

namespace {

void Select() {
    resbuf filter{};
    filter.restype = 0;
    filter.resval.rstring = const_cast<wchar_t*>(L"INSERT");
    ads_name set;
    int result = acedSSGet(nullptr, nullptr, nullptr, &filter, set);
    if (result != RTNORM) {
        acutPrintf(L"\nselection result %i\n", result);
        return;
    }
    int length = 0;
    acedSSLength(set, &length);
    acutPrintf(L"\nselected %i:", length);
    for (int i = 0; i < length; ++i) {
        ads_name entity;
        acedSSName(set, i, entity);
        AcDbObjectId id;
        acdbGetObjectId(id, entity);
        ACHAR handle[32] = L"";
        id.handle().getIntoAsciiBuffer(handle, 32);
        acutPrintf(L" %s", handle);
    }
    acutPrintf(L"\n");
    acedSSFree(set);
}

void Point() {
    ads_point p;
    acedInitGet(1, nullptr);
    int result = acedGetPoint(nullptr, L"\nUpper left corner of table: ", p);
    if (result == RTNORM)
        acutPrintf(L"\npoint %g,%g,%g\n", p[0], p[1], p[2]);
    else
        acutPrintf(L"\npoint result %i\n", result);
}

// A rubber band from the origin to the cursor, erased by drawing it again.
void Drag() {
    acutPrintf(L"\nLower right corner (or RETURN): ");
    ads_point origin{0, 0, 0}, last{0, 0, 0};
    bool shown = false;
    for (;;) {
        int type = 0;
        resbuf event{};
        int result = acedGrRead(9, &type, &event);
        if (shown)
            acedGrDraw(origin, last, -1, 1);
        shown = false;
        if (result != RTNORM || type == 2 || type == 3) {
            acutPrintf(L"\ndrag ended: result %i type %i\n", result, type);
            return;
        }
        for (int i = 0; i < 3; ++i)
            last[i] = event.resval.rpoint[i];
        acedGrDraw(origin, last, -1, 1);
        shown = true;
    }
}

void Alert() {
    acedAlert(L"\nFile nowhere.prc could  not be opened");
}

void File() {
    resbuf result{};
    if (acedGetFileD(L"Open", L"", L"prc", 2, &result) != RTNORM) {
        acutPrintf(L"\nno file\n");
        return;
    }
    acutPrintf(L"\nfile %s\n", result.resval.rstring);
    acad_free(result.resval.rstring);
}

void Variables() {
    for (const wchar_t* name : {L"ATTREQ", L"CMDECHO", L"SNAPMODE", L"OSMODE", L"DWGNAME"}) {
        resbuf value{};
        acedGetVar(name, &value);
        if (value.restype == RTSTR) {
            acutPrintf(L"\n%s=%s", name, value.resval.rstring);
            acad_free(value.resval.rstring);
        } else {
            acutPrintf(L"\n%s=%i", name, value.resval.rint);
        }
    }
    acutPrintf(L"\n");
}

void Insert() {
    resbuf saved{}, zero{};
    acedGetVar(L"ATTREQ", &saved);
    zero.restype = RTSHORT;
    acedSetVar(L"ATTREQ", &zero);
    ads_point at{3, 4, 0};
    int result = acedCommand(RTSTR, L".INSERT", RTSTR, L"Door", RTPOINT, at, RTREAL, 2.0, RTREAL,
                             2.0, RTSTR, L"0", RTNONE);
    acedSetVar(L"ATTREQ", &saved);
    acutPrintf(L"\ninsert result %i\n", result);
}

void Throw() {
    throw std::runtime_error("probe failure");
}

// Opens model space and forgets to close it.
void Open() {
    AcDbBlockTableRecord* modelSpace = nullptr;
    AcDbDatabase* drawing = acdbHostApplicationServices()->workingDatabase();
    acdbOpenObject(modelSpace, drawing->modelSpaceId(), AcDb::kForRead);
}

// Selects the references as the report does and opens each through its entity name.
void Names() {
    resbuf filter{};
    filter.restype = 0;
    filter.resval.rstring = const_cast<wchar_t*>(L"INSERT");
    ads_name set;
    if (acedSSGet(nullptr, nullptr, nullptr, &filter, set) != RTNORM)
        return;
    int length = 0;
    acedSSLength(set, &length);
    for (int i = 0; i < length; ++i) {
        ads_name name;
        acedSSName(set, i, name);
        AcDbObjectId id;
        AcDbBlockReference* reference = nullptr;
        if (acdbGetObjectId(id, name) != Acad::eOk ||
            acdbOpenObject(reference, id, AcDb::kForRead) != Acad::eOk) {
            acutPrintf(L"\ncannot open %i", i);
            continue;
        }
        AcDbBlockTableRecord* block = nullptr;
        AcDbObjectId blockId = reference->blockTableRecord();
        reference->close();
        const ACHAR* blockName = L"?";
        if (acdbOpenObject(block, blockId, AcDb::kForRead) == Acad::eOk) {
            block->getName(blockName);
            acutPrintf(L"\nblock %s", blockName);
            block->close();
        }
    }
    acutPrintf(L"\n");
    acedSSFree(set);
}

void Leak() {
    ads_name set;
    acedSSGet(L"X", nullptr, nullptr, nullptr, set);
}

} // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void*) {
    AcEdCommandStack* commands = AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK));
    const struct {
        const wchar_t* name;
        int flags;
        AcRxFunctionPtr function;
    } table[] = {
        {L"PROBESEL", 0, Select},    {L"PROBEPOINT", 0, Point}, {L"PROBEDRAG", 0, Drag},
        {L"PROBEALERT", 1, Alert},   {L"PROBEFILE", 0, File},   {L"PROBEVARS", 1, Variables},
        {L"PROBEINSERT", 0, Insert}, {L"PROBETHROW", 0, Throw}, {L"PROBELEAK", 0, Leak},
        {L"PROBEOPEN", 0, Open},     {L"PROBENAMES", 0, Names}};
    if (message == AcRx::kInitAppMsg)
        for (const auto& entry : table)
            commands->addCommand(L"PROBE", entry.name, entry.name, entry.flags, entry.function);
    else if (message == AcRx::kUnloadAppMsg)
        commands->removeGroup(L"PROBE");
    return AcRx::kRetOK;
}

extern "C" int acrxGetApiVersion() {
    return kAcadApiVersion;
}
