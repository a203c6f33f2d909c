#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "dialogs/BuddyLabel.h"
#include "dialogs/ColourSwatch.h"
#include "dialogs/TiledDialog.h"
#include "dialogs/TiledSlider.h"
#include "framework/win/Controls.h"

struct FontChoice;

// The saver's display settings: colours, font, shadow, the random choices,
// direction and speed, and whether every monitor shows a sentence. Colours and options are read when the object is
// made; font name, size and speed when the window opens, straight into
// their controls, where they stay until OK. OK stores all six settings;
// Cancel stores nothing.
class CConfigDlg : public CTiledDialog {
public:
    explicit CConfigDlg(CWnd* pParent = nullptr);

    COLORREF m_bkgndCol;
    COLORREF m_textCol;
    bool m_bBold;
    bool m_bItalic;
    bool m_bRandomTextCol;
    bool m_bRandomFont;
    bool m_bShadow;
    bool m_bRandomBkgndCol;
    int m_nDirection;  // the pressed direction button: 0 vertical, 1 horizontal
    bool m_bAllMonitors;  // a sentence on every monitor
    // Read when the window opens, shown in their controls until OK.
    std::string m_strFontName;
    std::string m_strFontSize;
    int m_nSpeed = 0;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;
    const MessageTable* GetMessageTable() const override;

private:
    void LinkCaptionsToButtons();
    void LoadStoredFontAndSpeed();
    void SetSpeedRange();
    // A colour's "Change..." is there only while that colour is not random.
    void EnableColourButtons();
    void ChooseColour(COLORREF& colour, CColourSwatch& swatch);
    // The font chooser starts from the font the controls show.
    FontChoice ShownFont() const;
    void ShowChosenFont(const FontChoice& font);
    bool IsChecked(int id) const;
    uint32_t Flags() const;

    void OnRandomColour() { EnableColourButtons(); }
    void OnChangeBkgndColour() { ChooseColour(m_bkgndCol, m_bkgndSwatch); }
    void OnChangeTextColour() { ChooseColour(m_textCol, m_textSwatch); }
    void OnChangeFont();

    static constexpr size_t kLabelCount = 17;

    CColourSwatch m_bkgndSwatch;
    CColourSwatch m_textSwatch;
    CButton m_bkgndChange;
    CButton m_textChange;
    CBuddyLabel m_fontName;
    CBuddyLabel m_fontSize;
    CTiledSlider m_speed;
    CBuddyLabel m_labels[kLabelCount];
};
