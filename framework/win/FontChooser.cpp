#include "framework/win/FontChooser.h"

#include <commdlg.h>

#include <atomic>

namespace {

class CPlatformFontChooser : public CFontChooser {
public:
    bool Choose(HWND owner, FontChoice& font) override {
        LOGFONTA chosen = font.logFont;
        CHOOSEFONTA request = {};
        request.lStructSize = sizeof request;
        request.hwndOwner = owner;
        request.lpLogFont = &chosen;
        request.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST | CF_NOSCRIPTSEL;
        if (!ChooseFontA(&request))
            return false;
        font.logFont = chosen;
        font.pointSizeTenths = request.iPointSize;
        return true;
    }
};

std::atomic<CFontChooser*> g_pStandIn{nullptr};

}  // namespace

CFontChooser& FontChooser() {
    static CPlatformFontChooser platform;
    CFontChooser* standIn = g_pStandIn.load();
    return standIn ? *standIn : platform;
}

void SetFontChooser(CFontChooser* chooser) { g_pStandIn.store(chooser); }
