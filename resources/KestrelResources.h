#pragma once
// The module's resources: dialog templates 200 and 201 and the string table. The command
// frames make them current with AfxSetResourceHandle(KestrelResources()).

#include <afxres.h>

#include "resources/ResourceIds.h"

HINSTANCE KestrelResources();
