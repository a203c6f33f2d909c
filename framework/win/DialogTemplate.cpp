#include "framework/win/DialogTemplate.h"

#include <cstring>

namespace {

// Reads the fields of a template in order, never past its end.
class CTemplateReader {
public:
    CTemplateReader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}

    bool Ok() const { return m_ok; }

    template <class T>
    T Read() {
        T value{};
        if (m_pos + sizeof(T) > m_size) {
            m_ok = false;
            return value;
        }
        std::memcpy(&value, m_data + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }
    void Skip(size_t bytes) {
        m_pos += bytes;
        if (m_pos > m_size)
            m_ok = false;
    }
    void AlignTo(size_t boundary) { m_pos = (m_pos + boundary - 1) / boundary * boundary; }

    // An empty field, an ordinal (0xFFFF and a number) or a wide string.
    void SkipNameOrOrdinal() {
        const WORD first = Read<WORD>();
        if (first == 0xFFFF)
            Read<WORD>();
        else if (first != 0)
            SkipWideString();
    }
    void SkipWideString() {
        while (m_ok && Read<WORD>() != 0) {
        }
    }

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_pos = 0;
    bool m_ok = true;
};

}  // namespace

std::vector<DialogTemplateItem> ReadDialogTemplateItems(HINSTANCE instance, UINT templateId) {
    std::vector<DialogTemplateItem> items;
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (!data)
        return items;
    CTemplateReader in(data, SizeofResource(instance, found));
    if (in.Read<WORD>() != 1 || in.Read<WORD>() != 0xFFFF)
        return items;  // a plain template carries no help numbers
    in.Skip(2 * sizeof(DWORD));  // help number, extended style
    const DWORD style = in.Read<DWORD>();
    const WORD itemCount = in.Read<WORD>();
    in.Skip(4 * sizeof(short));  // position
    in.SkipNameOrOrdinal();      // menu
    in.SkipNameOrOrdinal();      // class
    in.SkipWideString();         // title
    if (style & (DS_SETFONT | DS_SHELLFONT)) {
        in.Skip(2 * sizeof(WORD) + 2 * sizeof(BYTE));  // size, weight, italic, character set
        in.SkipWideString();
    }
    for (WORD i = 0; i < itemCount && in.Ok(); ++i) {
        in.AlignTo(sizeof(DWORD));
        DialogTemplateItem item{};
        item.helpId = in.Read<DWORD>();
        in.Skip(2 * sizeof(DWORD) + 4 * sizeof(short));  // styles, position
        item.id = in.Read<DWORD>();
        in.SkipNameOrOrdinal();  // class
        in.SkipNameOrOrdinal();  // text
        in.Skip(in.Read<WORD>());  // creation data
        if (in.Ok())
            items.push_back(item);
    }
    return items;
}
