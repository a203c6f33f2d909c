#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "dialogs/DialogHost.h"
#include "framework/win/Gdi.h"
#include "framework/win/RegistrySection.h"
#include "framework/win/WinApp.h"
#include "store/StoreContext.h"

class CSaverWnd;

// The saver program: proves the database can be reached, opens the shared
// configuration record, seeds the random generator and starts the run mode
// the command line asks for. It owns the process's store and hands it to
// the windows that work on it.
class CSaverApp : public CWinApp, public CDialogHost {
public:
    // Start-up's test connection; the record sets use the default connect string.
    static const char kStartupConnect[];
    static constexpr unsigned kLoginTimeoutSeconds = 15;

    CSaverApp();
    ~CSaverApp() override;

    bool InitInstance() override;
    int ExitInstance() override;
    void BuildDialogTile() override;
    HDC TileDC() const override { return m_dcTile.GetSafeHdc(); }

    CStoreContext& Store() { return m_store; }
    bool IsDatabaseAvailable() const { return m_store.IsDatabaseAvailable(); }
    // "Unable to open database:\n" and the driver's text, when start-up failed.
    const std::string& DatabaseError() const { return m_strDatabaseError; }
    // The "Config" section of this program's registry key.
    CProfileSection& ConfigSection() override;

    bool m_bPreview = false;
    bool m_bConfigMode = false;
    CMemoryDC m_dcTile;
    std::unique_ptr<CBitmap> m_pTileBitmap;

protected:
    // The screen's NUMCOLORS: -1 above 256 colours.
    virtual int ScreenColourCount() const;
    // Start-up's first four steps: the test connection and m_configRecord.
    void OpenDatabase();
    // The run mode the command line names; true runs the message loop.
    bool DispatchCommandLine(const char* commandLine);

private:
    void RunConfiguration();
    bool StartFullScreen();
    bool StartPreview(HWND parent);
    void ShowPasswordRefusal();

    CStoreContext m_store;
    std::string m_strDatabaseError;
    std::unique_ptr<CRegistrySection> m_pConfigSection;
    std::unique_ptr<CSaverWnd> m_pSaverWnd;
};

CSaverApp* GetSaverApp();
