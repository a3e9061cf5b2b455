#pragma once
// Base of the drawing objects that a device context selects. The handle of an object is the
// object itself; an object that holds nothing has a null handle.

#include "platform/ui/Geometry.h"
#include "platform/ui/WinGdi.h"

class CGdiObject {
public:
    enum class Kind { Pen, Brush, Font, Bitmap, Region };

    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject() = default;

    Kind GetKind() const { return kind_; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }
    BOOL DeleteObject() {
        if (!m_hObject || stock_)
            return FALSE;
        Release();
        m_hObject = nullptr;
        return TRUE;
    }
    bool IsStock() const { return stock_; }
    void MarkStock() { stock_ = true; }
    // Objects made by handle-returning calls (LoadImage) are freed by ::DeleteObject.
    bool IsHandleOwned() const { return handleOwned_; }
    void MarkHandleOwned() { handleOwned_ = true; }

    HGDIOBJ m_hObject = nullptr;

protected:
    explicit CGdiObject(Kind kind) : kind_(kind) {}
    void SetCreated() { m_hObject = this; }
    virtual void Release() {}

private:
    Kind kind_;
    bool stock_ = false;
    bool handleOwned_ = false;
};

BOOL DeleteObject(HGDIOBJ object);
