#pragma once
// The host's application services: which database is the working drawing.
#include "dbmain.h"

class AcDbHostApplicationServices {
public:
    AcDbDatabase* workingDatabase() const { return working_; }
    // The host program sets the drawing it has opened (nullptr when none).
    void setWorkingDatabase(AcDbDatabase* database) { working_ = database; }

private:
    AcDbDatabase* working_ = nullptr;
};

AcDbHostApplicationServices* acdbHostApplicationServices();
