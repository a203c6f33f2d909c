#pragma once
// Buffered byte-at-a-time access to a data file. Failures raise
// std::runtime_error whose text is the file's name and the system's reason,
// as in "notes.Sorrow: No such file or directory".
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

struct CFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using CFilePtr = std::unique_ptr<std::FILE, CFileCloser>;

// Writes a file in full or not at all: the bytes go to a temporary file
// beside the target, which takes the target's place only at Close. A writer
// destroyed before then (a failed export) removes its temporary file, and
// the file it was to replace stays as it was. A target that is not a regular
// file (a device, a pipe) is written directly, as it cannot be replaced.
class CByteWriter {
public:
    explicit CByteWriter(const std::string& path);
    ~CByteWriter();
    CByteWriter(const CByteWriter&) = delete;
    CByteWriter& operator=(const CByteWriter&) = delete;

    void Put(unsigned char byte) {
        if (m_used == m_buffer.size())
            Drain();
        m_buffer[m_used++] = static_cast<char>(byte);
    }
    void Put(const std::string& bytes);
    // Writes what is buffered, closes the file and puts it in place of the
    // target: a full disk, or a target that cannot be replaced, shows here.
    void Close();

private:
    void Drain();
    void Discard();

    std::string m_path;         // as given, for messages
    std::string m_target;       // the file it names, past any symbolic link
    std::string m_temporary;    // empty when the target is written in place
    CFilePtr m_file;
    std::vector<char> m_buffer;
    size_t m_used = 0;
    bool m_placed = false;
};

class CByteReader {
public:
    // Opens the file for reading; others may read it but not write it.
    explicit CByteReader(const std::string& path);
    CByteReader(const CByteReader&) = delete;
    CByteReader& operator=(const CByteReader&) = delete;

    const std::string& Path() const { return m_path; }
    uint64_t Size() const { return m_size; }
    uint64_t BytesRead() const { return m_read; }

    // False at the end of the file.
    bool Next(unsigned char& byte) {
        if (m_next == m_end && !Fill())
            return false;
        byte = static_cast<unsigned char>(*m_next++);
        ++m_read;
        return true;
    }

private:
    bool Fill();

    std::string m_path;
    CFilePtr m_file;
    std::vector<char> m_buffer;
    const char* m_next = nullptr;
    const char* m_end = nullptr;
    uint64_t m_size = 0;
    uint64_t m_read = 0;
};
