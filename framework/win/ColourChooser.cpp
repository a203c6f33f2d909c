#include "framework/win/ColourChooser.h"

#include <commdlg.h>

#include <atomic>

namespace {

class CPlatformColourChooser : public CColourChooser {
public:
    bool Choose(HWND owner, COLORREF& colour) override {
        // The chooser's sixteen custom colours last as long as the program.
        static COLORREF s_customColours[16] = {
            0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
            0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
        CHOOSECOLORA request = {};
        request.lStructSize = sizeof request;
        request.hwndOwner = owner;
        request.rgbResult = colour;
        request.lpCustColors = s_customColours;
        request.Flags = CC_RGBINIT | CC_SOLIDCOLOR;
        if (!ChooseColorA(&request))
            return false;
        colour = request.rgbResult;
        return true;
    }
};

std::atomic<CColourChooser*> g_pStandIn{nullptr};

}  // namespace

CColourChooser& ColourChooser() {
    static CPlatformColourChooser platform;
    CColourChooser* standIn = g_pStandIn.load();
    return standIn ? *standIn : platform;
}

void SetColourChooser(CColourChooser* chooser) { g_pStandIn.store(chooser); }
