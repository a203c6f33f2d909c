#include "dialogs/ConfigDlg.h"

#include <cstring>
#include <string>

#include "saver/core/SaverSettings.h"
#include "dialogs/DialogHost.h"
#include "framework/win/ColourChooser.h"
#include "framework/win/FontChooser.h"
#include "framework/win/Gdi.h"
#include "res/resource.h"

namespace {

struct CaptionOfButton {
    int caption;
    int button;
};
// The captions that stand for their buttons, first, then the other labels.
const CaptionOfButton kButtonCaptions[] = {
    {IDC_RANDOM_BKGND_CAPTION, IDC_RANDOM_BKGND_COL}, {IDC_RANDOM_TEXT_CAPTION, IDC_RANDOM_TEXT_COL},
    {IDC_RANDOM_FONT_CAPTION, IDC_RANDOM_FONT},       {IDC_SHADOW_CAPTION, IDC_SHADOW},
    {IDC_BOLD_CAPTION, IDC_BOLD},                     {IDC_ITALIC_CAPTION, IDC_ITALIC},
    {IDC_VERTICAL_CAPTION, IDC_VERTICAL},             {IDC_HORIZONTAL_CAPTION, IDC_HORIZONTAL},
    {IDC_ALL_MONITORS_CAPTION, IDC_ALL_MONITORS},
};
constexpr size_t kButtonCaptionCount = sizeof(kButtonCaptions) / sizeof(kButtonCaptions[0]);
const int kOtherLabels[] = {IDC_BKGND_TITLE,  IDC_TEXT_COLOUR_TITLE, IDC_APPEARANCE_TITLE,
                            IDC_SCROLLING_TITLE, IDC_SIZE_CAPTION,   IDC_FONT_CAPTION,
                            IDC_SLOW_CAPTION, IDC_FAST_CAPTION};

constexpr int kSlowest = 1;
constexpr int kFastest = 100;
constexpr LONG kBoldWeight = 700;

uint32_t FlagIf(bool set, SaverFlag flag) { return set ? static_cast<uint32_t>(flag) : 0u; }

SaverSettings StoredSettings() {
    SaverSettings settings;
    settings.Load(GetDialogHost()->ConfigSection());
    return settings;
}

}  // namespace

static_assert(kButtonCaptionCount + sizeof(kOtherLabels) / sizeof(kOtherLabels[0]) == 17,
              "one label member for each caption");

CConfigDlg::CConfigDlg(CWnd* pParent) : CTiledDialog(IDD_CONFIG, pParent) {
    const SaverSettings stored = StoredSettings();
    m_bkgndCol = stored.m_bkgndCol;
    m_textCol = stored.m_textCol;
    m_bBold = stored.Has(FlagBold);
    m_bItalic = stored.Has(FlagItalic);
    m_bRandomTextCol = stored.Has(FlagRandomTextCol);
    m_bRandomFont = stored.Has(FlagRandomFont);
    m_bShadow = stored.Has(FlagShadow);
    m_bRandomBkgndCol = stored.Has(FlagRandomBkgndCol);
    m_nDirection = stored.Has(FlagVertical) ? 0 : 1;
    m_bAllMonitors = stored.m_bAllMonitors;
}

void CConfigDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_BKGND_SWATCH, m_bkgndSwatch);
    DDX_Control(pDX, IDC_TEXT_SWATCH, m_textSwatch);
    DDX_Control(pDX, IDC_BKGND_CHANGE, m_bkgndChange);
    DDX_Control(pDX, IDC_TEXT_CHANGE, m_textChange);
    DDX_Control(pDX, IDC_FONT_NAME, m_fontName);
    DDX_Control(pDX, IDC_FONT_SIZE, m_fontSize);
    DDX_Control(pDX, IDC_SPEED, m_speed);
    for (size_t i = 0; i < kButtonCaptionCount; ++i)
        DDX_Control(pDX, kButtonCaptions[i].caption, m_labels[i]);
    for (size_t i = kButtonCaptionCount; i < kLabelCount; ++i)
        DDX_Control(pDX, kOtherLabels[i - kButtonCaptionCount], m_labels[i]);
    DDX_Check(pDX, IDC_BOLD, m_bBold);
    DDX_Check(pDX, IDC_ITALIC, m_bItalic);
    DDX_Check(pDX, IDC_RANDOM_TEXT_COL, m_bRandomTextCol);
    DDX_Check(pDX, IDC_RANDOM_FONT, m_bRandomFont);
    DDX_Check(pDX, IDC_SHADOW, m_bShadow);
    DDX_Check(pDX, IDC_RANDOM_BKGND_COL, m_bRandomBkgndCol);
    DDX_Radio(pDX, IDC_VERTICAL, m_nDirection);
    DDX_Check(pDX, IDC_ALL_MONITORS, m_bAllMonitors);
    DDX_Text(pDX, IDC_FONT_NAME, m_strFontName);
    DDX_Text(pDX, IDC_FONT_SIZE, m_strFontSize);
    DDX_Slider(pDX, IDC_SPEED, m_nSpeed);
}

// The slider has its range before the stored speed arrives, so that it
// takes a speed outside the range to the nearer end.
bool CConfigDlg::OnInitDialog() {
    LoadStoredFontAndSpeed();
    SetSpeedRange();
    CTiledDialog::OnInitDialog();
    LinkCaptionsToButtons();
    m_bkgndSwatch.SetColour(m_bkgndCol);
    m_textSwatch.SetColour(m_textCol);
    EnableColourButtons();
    return true;
}

void CConfigDlg::LinkCaptionsToButtons() {
    for (size_t i = 0; i < kButtonCaptionCount; ++i)
        m_labels[i].SetBuddy(GetDlgItem(kButtonCaptions[i].button));
}

void CConfigDlg::LoadStoredFontAndSpeed() {
    const SaverSettings stored = StoredSettings();
    m_strFontName = stored.m_strFontName;
    m_strFontSize = stored.m_strFontSize;
    m_nSpeed = stored.m_scrollSpeed;
}

void CConfigDlg::SetSpeedRange() {
    CSliderCtrl speed;
    speed.Attach(GetDlgItem(IDC_SPEED));
    speed.SetRange(kSlowest, kFastest);
}

bool CConfigDlg::IsChecked(int id) const {
    return ::SendMessageA(GetDlgItem(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CConfigDlg::EnableColourButtons() {
    m_bkgndChange.EnableWindow(!IsChecked(IDC_RANDOM_BKGND_COL));
    m_textChange.EnableWindow(!IsChecked(IDC_RANDOM_TEXT_COL));
}

uint32_t CConfigDlg::Flags() const {
    return FlagIf(m_bBold, FlagBold) | FlagIf(m_bItalic, FlagItalic) |
           FlagIf(m_bRandomTextCol, FlagRandomTextCol) | FlagIf(m_bRandomFont, FlagRandomFont) |
           FlagIf(m_bShadow, FlagShadow) | FlagIf(m_nDirection == 0, FlagVertical) |
           FlagIf(m_bRandomBkgndCol, FlagRandomBkgndCol);
}

// Font name, size and speed as the controls show them, then the colours
// and the options: Store writes them in that order.
void CConfigDlg::OnOK() {
    if (!UpdateData(true))
        return;
    SaverSettings settings;
    settings.m_strFontName = m_strFontName;
    settings.m_strFontSize = m_strFontSize;
    settings.m_scrollSpeed = m_nSpeed;
    settings.m_bkgndCol = m_bkgndCol;
    settings.m_textCol = m_textCol;
    settings.m_flags = Flags();
    settings.m_bAllMonitors = m_bAllMonitors;
    settings.Store(GetDialogHost()->ConfigSection());
    EndDialog(IDOK);
}

void CConfigDlg::ChooseColour(COLORREF& colour, CColourSwatch& swatch) {
    COLORREF chosen = colour;
    if (!ColourChooser().Choose(m_hWnd, chosen))
        return;
    colour = chosen;
    swatch.SetColour(colour);
}

FontChoice CConfigDlg::ShownFont() const {
    FontChoice font;
    LOGFONTA& logFont = font.logFont;
    std::strncpy(logFont.lfFaceName, m_fontName.GetWindowText().c_str(), LF_FACESIZE - 1);
    logFont.lfWeight = IsChecked(IDC_BOLD) ? kBoldWeight : FW_NORMAL;
    logFont.lfItalic = IsChecked(IDC_ITALIC) ? TRUE : FALSE;
    SaverSettings shown;
    shown.m_strFontSize = m_fontSize.GetWindowText();
    const int points = shown.FontSizePoints();
    CClientDC screen(nullptr);
    logFont.lfHeight = -MulDiv(points, GetDeviceCaps(screen.GetSafeHdc(), LOGPIXELSY), 72);
    font.pointSizeTenths = points * 10;
    return font;
}

// Whole points, the tenths dropped; bold is exactly the bold weight, so a
// semibold or black font clears the box.
void CConfigDlg::ShowChosenFont(const FontChoice& font) {
    m_fontName.SetText(font.logFont.lfFaceName);
    m_fontSize.SetText(std::to_string(font.pointSizeTenths / 10));
    CheckDlgButton(m_hWnd, IDC_ITALIC, font.logFont.lfItalic ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, IDC_BOLD, font.logFont.lfWeight == kBoldWeight ? BST_CHECKED : BST_UNCHECKED);
}

const MessageTable* CConfigDlg::GetMessageTable() const {
    static const auto table = MessageTableOf<CConfigDlg>(CTiledDialog::GetMessageTable(), {
        OnCommand(IDC_RANDOM_BKGND_COL, &CConfigDlg::OnRandomColour),
        OnCommand(IDC_RANDOM_TEXT_COL, &CConfigDlg::OnRandomColour),
        OnCommand(IDC_BKGND_CHANGE, &CConfigDlg::OnChangeBkgndColour),
        OnCommand(IDC_TEXT_CHANGE, &CConfigDlg::OnChangeTextColour),
        OnCommand(IDC_FONT_CHANGE, &CConfigDlg::OnChangeFont),
    });
    return &table;
}

void CConfigDlg::OnChangeFont() {
    FontChoice font = ShownFont();
    if (FontChooser().Choose(m_hWnd, font))
        ShowChosenFont(font);
}
