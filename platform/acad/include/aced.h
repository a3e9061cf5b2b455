#pragma once
// The editor functions of the host that applications call: file dialog, selection, system
// variables, points, cursor tracking, temporary vectors, commands, alerts and the command line.
// Every one of them takes its answers from the editor input of the run.

#include "acadstrc.h"
#include "accmd.h"
#include "adslib.h"
#include "dbid.h"

// acedGetFileD flags.
constexpr int kFileDialogNewFile = 1;
constexpr int kFileDialogExisting = 2;

// The file dialog: RTNORM with result->resval.rstring a path to free with acad_free, RTERROR
// when cancelled. A name without an extension gets `extension`; an empty answer takes
// `defaultFile`.
int acedGetFileD(const wchar_t* title, const wchar_t* defaultFile, const wchar_t* extension,
                 int flags, resbuf* result);

// Object selection. `mode` null asks the user; "X" takes every selectable entity at once. The
// filter keeps entity types (group code 0). RTNORM with a set that acedSSFree releases; RTERROR
// when nothing was selected or the filter cannot be applied; RTCAN when cancelled.
int acedSSGet(const wchar_t* mode, const void* point1, const void* point2, const resbuf* filter,
              ads_name set);
int acedSSLength(const ads_name set, int* length);
int acedSSName(const ads_name set, int index, ads_name entity);
int acedSSFree(const ads_name set);
// The object id of an entity name handed out by acedSSName, in the working drawing, and the
// entity name of an object of the working drawing (eInvalidAdsName, eWrongDatabase).
Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name entity);
Acad::ErrorStatus acdbGetAdsName(ads_name& entity, AcDbObjectId id);

int acedGetVar(const wchar_t* name, resbuf* result); // RTSTR values are freed with acad_free
int acedSetVar(const wchar_t* name, const resbuf* value);

int acedInitGet(int flags, const wchar_t* keywords);
int acedGetPoint(const ads_point base, const wchar_t* prompt, ads_point result);
// One input event: type 5 a cursor position (when tracking bit 1 is set), 3 a picked point,
// 2 a key (RTSHORT code, 13 for Enter); RTCAN on Esc.
int acedGrRead(int track, int* type, resbuf* result);
int acedGrDraw(const ads_point from, const ads_point to, int colour, int highlight);

// Runs a host command with its answers, given as (type, value) pairs ended by RTNONE (or 0):
// RTSTR text, RTPOINT/RT3DPOINT point, RTREAL/RTANG double, RTSHORT int. Returns when the
// command has run to its end; answers missing from the list are asked from the input.
int acedCommand(int type, ...);
int acedCmd(const resbuf* list);

int acedAlert(const wchar_t* message);

// The host's main window, parent of the applications' modal dialogs; null (the desktop) while
// the host shows no window.
HWND adsw_acadMainWnd();
