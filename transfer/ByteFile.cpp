#include "transfer/ByteFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <share.h>
#endif

namespace {

constexpr size_t kBufferSize = 64 * 1024;

std::runtime_error FileError(const std::string& path, int error) {
    return std::runtime_error(path + ": " + std::strerror(error));
}

// A folder opens on some systems and fails on others with a misleading
// reason; it is never a data file.
void RefuseFolder(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        throw FileError(path, EISDIR);
}

CFilePtr OpenShared(const std::string& path, bool forWriting) {
    RefuseFolder(path);
#ifdef _WIN32
    std::FILE* file =
        _fsopen(path.c_str(), forWriting ? "wb" : "rb", forWriting ? _SH_DENYRW : _SH_DENYWR);
#else
    std::FILE* file = std::fopen(path.c_str(), forWriting ? "wb" : "rb");
#endif
    if (!file)
        throw FileError(path, errno);
    return CFilePtr(file);
}

}  // namespace

CByteWriter::CByteWriter(const std::string& path)
    : m_path(path), m_file(OpenShared(path, true)), m_buffer(kBufferSize) {}

void CByteWriter::Put(const std::string& bytes) {
    for (char c : bytes)
        Put(static_cast<unsigned char>(c));
}

void CByteWriter::Drain() {
    if (m_used && std::fwrite(m_buffer.data(), 1, m_used, m_file.get()) != m_used)
        throw FileError(m_path, errno);
    m_used = 0;
}

void CByteWriter::Close() {
    if (!m_file)
        return;
    Drain();
    if (std::fclose(m_file.release()) != 0)
        throw FileError(m_path, errno);
}

CByteReader::CByteReader(const std::string& path)
    : m_path(path), m_file(OpenShared(path, false)), m_buffer(kBufferSize) {
    std::FILE* file = m_file.get();
    if (std::fseek(file, 0, SEEK_END) != 0)
        throw FileError(path, errno);
    const long size = std::ftell(file);
    if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0)
        throw FileError(path, errno);
    m_size = static_cast<uint64_t>(size);
}

bool CByteReader::Fill() {
    const size_t got = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file.get());
    if (got == 0) {
        if (std::ferror(m_file.get()))
            throw FileError(m_path, errno);
        return false;
    }
    m_next = m_buffer.data();
    m_end = m_next + got;
    return true;
}
