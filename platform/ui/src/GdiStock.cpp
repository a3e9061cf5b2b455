#include <array>
#include <memory>

#include <afxwin.h>

namespace {

struct StockObjects {
    std::array<std::unique_ptr<CGdiObject>, 20> objects;

    template <class T> T* Put(int index, std::unique_ptr<T> object) {
        object->MarkStock();
        T* raw = object.get();
        objects[static_cast<std::size_t>(index)] = std::move(object);
        return raw;
    }
    std::unique_ptr<CBrush> Brush(COLORREF c) {
        auto b = std::make_unique<CBrush>();
        b->CreateSolidBrush(c);
        return b;
    }
    std::unique_ptr<CPen> Pen(int style, COLORREF c) {
        auto p = std::make_unique<CPen>();
        p->CreatePen(style, 1, c);
        return p;
    }
    std::unique_ptr<CFont> Font(int height, int weight, const wchar_t* face) {
        auto f = std::make_unique<CFont>();
        f->CreateFont(height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, face);
        return f;
    }
    StockObjects() {
        Put(WHITE_BRUSH, Brush(RGB(255, 255, 255)));
        Put(LTGRAY_BRUSH, Brush(RGB(192, 192, 192)));
        Put(GRAY_BRUSH, Brush(RGB(128, 128, 128)));
        Put(DKGRAY_BRUSH, Brush(RGB(64, 64, 64)));
        Put(BLACK_BRUSH, Brush(RGB(0, 0, 0)));
        auto null = std::make_unique<CBrush>();
        null->CreateStockNull();
        Put(NULL_BRUSH, std::move(null));
        Put(WHITE_PEN, Pen(PS_SOLID, RGB(255, 255, 255)));
        Put(BLACK_PEN, Pen(PS_SOLID, RGB(0, 0, 0)));
        Put(NULL_PEN, Pen(PS_NULL, 0));
        Put(OEM_FIXED_FONT, Font(-12, FW_NORMAL, L"Courier"));
        Put(ANSI_FIXED_FONT, Font(-12, FW_NORMAL, L"Courier"));
        Put(ANSI_VAR_FONT, Font(-11, FW_NORMAL, L"MS Sans Serif"));
        Put(SYSTEM_FONT, Font(16, FW_BOLD, L"System"));
        Put(DEVICE_DEFAULT_FONT, Font(16, FW_BOLD, L"System"));
        Put(SYSTEM_FIXED_FONT, Font(-12, FW_NORMAL, L"Fixedsys"));
        Put(DEFAULT_GUI_FONT, Font(-11, FW_NORMAL, L"MS Shell Dlg"));
        Put(DC_BRUSH, Brush(RGB(255, 255, 255)));
        Put(DC_PEN, Pen(PS_SOLID, 0));
    }
};

} // namespace

HGDIOBJ GetStockObject(int index) {
    static StockObjects stock;
    if (index < 0 || index >= static_cast<int>(stock.objects.size()))
        return nullptr;
    return stock.objects[static_cast<std::size_t>(index)].get();
}

BOOL DeleteObject(HGDIOBJ object) {
    if (!object || object->IsStock())
        return FALSE;
    if (object->IsHandleOwned()) {
        delete object;
        return TRUE;
    }
    return object->DeleteObject();
}
