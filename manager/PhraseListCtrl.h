#pragma once
#include <windows.h>

#include <vector>

#include "framework/profile/ProfileSection.h"
#include "framework/win/ListCtrl.h"
#include "manager/core/PhraseListModel.h"

// The manager's list of phrases: four columns whose widths the user's
// settings keep, a kind icon in the first, and owner data, so the list asks
// for the texts of the rows it shows, and only those.
class CPhraseListCtrl : public CListCtrl {
public:
    // Columns at the stored widths (the defaults where none is stored).
    void SetUp(const CProfileSection& settings);
    // Only a list that was set up stores its widths: an unprepared one would
    // replace the user's.
    void StoreColumnWidths(CProfileSection& settings) const;

    // The rows' number, selection and focus as the model has them.
    void ShowRows(const CPhraseListModel& rows);
    // Screen indexes of the selected rows, from the top.
    std::vector<int> SelectedRows() const;
    int FocusedRow() const { return GetNextItem(-1, LVNI_FOCUSED); }

    // Fills in what the list asks for one cell of a row of the model, whose
    // cells are read when first asked for if the store may be read now.
    static void FillCell(LVITEMA& item, CPhraseListModel& rows, bool mayReadStore);

protected:
    const MessageTable* GetMessageTable() const override;

private:
    LRESULT OnSysKeyDown(WPARAM key, LPARAM);
    LRESULT OnSysChar(WPARAM character, LPARAM);

    bool m_bSetUp = false;
    int m_dpi = 96;  // the screen's when the columns were made
    CImageList m_kindImages;
};
