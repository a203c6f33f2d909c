#include "transfer/ByteFile.h"

#include <stdexcept>

#ifdef _WIN32
#include <share.h>
#endif

namespace {

constexpr size_t kBufferSize = 64 * 1024;

std::FILE* OpenShared(const std::string& path, bool forWriting) {
#ifdef _WIN32
    return _fsopen(path.c_str(), forWriting ? "wb" : "rb", forWriting ? _SH_DENYRW : _SH_DENYWR);
#else
    return std::fopen(path.c_str(), forWriting ? "wb" : "rb");
#endif
}

}  // namespace

CByteWriter::CByteWriter(const std::string& path) : m_buffer(kBufferSize) {
    m_file = OpenShared(path, true);
    if (!m_file)
        throw std::runtime_error("cannot create " + path);
}

CByteWriter::~CByteWriter() {
    if (m_file)
        std::fclose(m_file);
}

void CByteWriter::Put(const std::string& bytes) {
    for (char c : bytes)
        Put(static_cast<unsigned char>(c));
}

void CByteWriter::Drain() {
    if (m_used && std::fwrite(m_buffer.data(), 1, m_used, m_file) != m_used)
        throw std::runtime_error("write failed");
    m_used = 0;
}

void CByteWriter::Close() {
    if (!m_file)
        return;
    Drain();
    std::FILE* file = m_file;
    m_file = nullptr;
    if (std::fclose(file) != 0)
        throw std::runtime_error("write failed");
}

CByteReader::CByteReader(const std::string& path) : m_buffer(kBufferSize) {
    m_file = OpenShared(path, false);
    if (!m_file)
        throw std::runtime_error("cannot open " + path);
    if (std::fseek(m_file, 0, SEEK_END) != 0)
        throw std::runtime_error("cannot read " + path);
    const long size = std::ftell(m_file);
    if (size < 0 || std::fseek(m_file, 0, SEEK_SET) != 0)
        throw std::runtime_error("cannot read " + path);
    m_size = static_cast<uint64_t>(size);
}

CByteReader::~CByteReader() {
    if (m_file)
        std::fclose(m_file);
}

bool CByteReader::Fill() {
    const size_t got = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
    if (got == 0) {
        if (std::ferror(m_file))
            throw std::runtime_error("read failed");
        return false;
    }
    m_next = m_buffer.data();
    m_end = m_next + got;
    return true;
}
