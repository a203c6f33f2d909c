#include "app/SaverApp.h"

#include <commctrl.h>

#include <ctime>

#include "app/core/CommandLine.h"
#include "framework/base/DpiScale.h"
#include "framework/base/Random.h"
#include "saver/core/SaverSettings.h"
#include "dialogs/core/TileColours.h"
#include "framework/odbc/DBException.h"
#include "framework/odbc/Database.h"
#include "framework/win/MessageBox.h"
#include "manager/PhraseManagerDlg.h"
#include "res/resource.h"
#include "saver/win/SaverWnd.h"
#include "store/PhraseRec.h"

const char CSaverApp::kStartupConnect[] = "DSN=Sorrowline;UID=admin;PWD=tkwzhqmvbxpf";

namespace {

constexpr char kRegistryKey[] = "Tallix";
constexpr char kPasswordRefusal[] = "This version of Sorrowline does not support password protection";
constexpr UINT kFullScreenId = 101;

// The tile's ripples keep their size on a denser screen: a tile of side
// pixels at 96 DPI grows with the screen, smoothly resampled. Takes the
// bitmap; the one returned is the caller's.
HBITMAP ScaledToScreen(HBITMAP tile, int side) {
    const int scaled = ScaleToDpi(side, ScreenDpi());
    if (!tile || scaled == side)
        return tile;
    CClientDC screen(nullptr);
    CMemoryDC from, to;
    from.CreateCompatibleDC(screen.GetSafeHdc());
    to.CreateCompatibleDC(screen.GetSafeHdc());
    HBITMAP result = CreateCompatibleBitmap(screen.GetSafeHdc(), scaled, scaled);
    if (!result)
        return tile;
    {
        CSelectGuard source(from.GetSafeHdc(), tile);
        CSelectGuard target(to.GetSafeHdc(), result);
        SetStretchBltMode(to.GetSafeHdc(), HALFTONE);
        SetBrushOrgEx(to.GetSafeHdc(), 0, 0, nullptr);
        StretchBlt(to.GetSafeHdc(), 0, 0, scaled, scaled, from.GetSafeHdc(), 0, 0, side, side, SRCCOPY);
    }
    DeleteObject(tile);
    return result;
}

}  // namespace

CSaverApp::CSaverApp() { thePhraseSet.Bind(m_store); }

// The shared set outlives the store.
CSaverApp::~CSaverApp() { thePhraseSet.Unbind(); }

CSaverApp* GetSaverApp() { return dynamic_cast<CSaverApp*>(AfxGetApp()); }

bool CSaverApp::InitInstance() {
    OpenDatabase();
    SetRegistryKey(kRegistryKey);
    SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
    return DispatchCommandLine(m_lpCmdLine);
}

void CSaverApp::OpenDatabase() {
    try {
        CDatabase probe;
        probe.SetLoginTimeout(kLoginTimeoutSeconds);
        probe.OpenEx(kStartupConnect, CDatabase::useCursorLib | CDatabase::noOdbcDialog);
        probe.Close();
        m_store.SetDatabaseAvailable(true);
        m_store.m_configRecord.Open(CRecordset::snapshot, nullptr, CRecordset::skipDeletedRecords);
    } catch (const CDBException& e) {
        m_strDatabaseError = "Unable to open database:\n" + e.m_strError +
                             "\n\nIf this computer has no Sorrowline database yet, run: sorrowline-db setup";
        m_store.SetDatabaseAvailable(false);
    }
}

CProfileSection& CSaverApp::ConfigSection() {
    if (!m_pConfigSection)
        m_pConfigSection = std::make_unique<CRegistrySection>(ProfileSection(kConfigSection));
    return *m_pConfigSection;
}

bool CSaverApp::DispatchCommandLine(const char* commandLine) {
    const RunModeChoice choice = DecideRunMode(commandLine, [](uint32_t handle) {
        return IsWindow(reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle))) != FALSE;
    });
    switch (choice.mode) {
        case RunMode::Configuration:
            RunConfiguration();
            return false;
        case RunMode::FullScreen:
            return StartFullScreen();
        case RunMode::Preview:
            return StartPreview(reinterpret_cast<HWND>(static_cast<UINT_PTR>(choice.previewWindow)));
        case RunMode::Password:
            ShowPasswordRefusal();
            return false;
        case RunMode::None:
            return false;
    }
    return false;
}

void CSaverApp::RunConfiguration() {
    if (!IsDatabaseAvailable()) {
        ShowMessageBox(nullptr, m_strDatabaseError, m_strAppName, MB_OK | MB_ICONSTOP);
        return;
    }
    auto manager = std::make_unique<CPhraseManagerDlg>(m_store);
    BuildDialogTile();
    m_pMainWnd = manager.get();
    m_bConfigMode = true;
    manager->DoModal();
    m_pMainWnd = nullptr;
}

bool CSaverApp::StartFullScreen() {
    m_pSaverWnd = std::make_unique<CSaverWnd>(SaverRunFlags{m_bPreview, m_bConfigMode}, ConfigSection(), m_store);
    m_pMainWnd = m_pSaverWnd.get();
    if (!m_pSaverWnd->CreateFullScreen(kFullScreenId)) {
        m_pMainWnd = nullptr;
        return false;
    }
    return true;
}

bool CSaverApp::StartPreview(HWND parent) {
    m_bPreview = true;
    m_pSaverWnd = std::make_unique<CSaverWnd>(SaverRunFlags{m_bPreview, m_bConfigMode}, ConfigSection(), m_store);
    m_pMainWnd = m_pSaverWnd.get();
    RECT client = {0, 0, 0, 0};
    GetClientRect(parent, &client);
    if (!m_pSaverWnd->Create(0, 0, client, parent, 0)) {
        m_pMainWnd = nullptr;
        return false;
    }
    return true;
}

void CSaverApp::ShowPasswordRefusal() {
    ShowMessageBox(nullptr, kPasswordRefusal, "Sorrowline", MB_OK | MB_ICONEXCLAMATION);
}

int CSaverApp::ExitInstance() {
    const int exitCode = CWinApp::ExitInstance();
    m_pSaverWnd.reset();
    m_dcTile.DeleteDC();
    m_pTileBitmap.reset();
    return exitCode;
}

int CSaverApp::ScreenColourCount() const {
    CClientDC screen(nullptr);
    return GetDeviceCaps(screen.GetSafeHdc(), NUMCOLORS);
}

void CSaverApp::BuildDialogTile() {
    m_dcTile.DeleteDC();
    m_pTileBitmap = std::make_unique<CBitmap>();
    {
        CClientDC screen(nullptr);
        m_dcTile.CreateCompatibleDC(screen.GetSafeHdc());
    }
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    if (UsesGradientTile(ScreenColourCount())) {
        COLORMAP map[kTileGreyCount];
        const auto mapping = TileColourMap(face, highlight);
        for (int i = 0; i < kTileGreyCount; ++i)
            map[i] = {mapping[i].from, mapping[i].to};
        HBITMAP mapped = CreateMappedBitmap(m_hInstance ? m_hInstance : GetModuleHandleA(nullptr),
                                            IDB_DIALOG_TILE, 0, map, kTileGreyCount);
        m_pTileBitmap->Attach(ScaledToScreen(mapped, kTileSize));
        SelectObject(m_dcTile.GetSafeHdc(), m_pTileBitmap->GetSafeHandle());
        return;
    }
    // A screen of so few colours gets a plain square in the face colour.
    const int side = ScaleToDpi(kTileSize, ScreenDpi());
    {
        CClientDC screen(nullptr);
        m_pTileBitmap->Attach(CreateCompatibleBitmap(screen.GetSafeHdc(), side, side));
    }
    SelectObject(m_dcTile.GetSafeHdc(), m_pTileBitmap->GetSafeHandle());
    const RECT all = {0, 0, side, side};
    HBRUSH brush = CreateSolidBrush(face);
    FillRect(m_dcTile.GetSafeHdc(), &all, brush);
    DeleteObject(brush);
}
