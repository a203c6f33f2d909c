#include "transfer/ByteFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <share.h>
#include <windows.h>
#else
#include <unistd.h>
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

// A name that does not exist is a file to create, which is regular too.
bool IsRegularOrAbsent(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode);
}

#ifdef _WIN32
int ProcessId() { return _getpid(); }

// A new file no other program may open while it is written.
int CreateExclusive(const std::string& path) {
    int fd = -1;
    _sopen_s(&fd, path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYRW,
             _S_IREAD | _S_IWRITE);
    return fd;
}

std::FILE* OpenDescriptor(int fd) { return _fdopen(fd, "wb"); }

void CloseDescriptor(int fd) { _close(fd); }

void SyncToDisk(std::FILE* file) { _commit(_fileno(file)); }

// The system's reason for the last failure, without its closing full stop.
std::string LastSystemError() {
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   GetLastError(), 0, text, sizeof text, nullptr);
    std::string reason = text;
    while (!reason.empty() && std::strchr(" .\r\n", reason.back()))
        reason.pop_back();
    return reason.empty() ? "The file could not be replaced" : reason;
}

void PutInPlace(const std::string& written, const std::string& target, const std::string& shown) {
    if (!MoveFileExA(written.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw std::runtime_error(shown + ": " + LastSystemError());
}
#else
int ProcessId() { return static_cast<int>(getpid()); }

// A new file with the target's permissions, or those a new file gets.
int CreateExclusive(const std::string& path, const std::string& target) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    struct stat info;
    if (fd >= 0 && stat(target.c_str(), &info) == 0)
        fchmod(fd, info.st_mode & 07777);
    return fd;
}

std::FILE* OpenDescriptor(int fd) { return fdopen(fd, "wb"); }

void CloseDescriptor(int fd) { close(fd); }

void SyncToDisk(std::FILE* file) { fsync(fileno(file)); }

void PutInPlace(const std::string& written, const std::string& target, const std::string& shown) {
    if (std::rename(written.c_str(), target.c_str()) != 0)
        throw FileError(shown, errno);
}

// Replacing a symbolic link would put the file in the link's place: the
// file it points to is replaced (or created) instead, past every link.
std::string Resolved(const std::string& path) {
    constexpr int kMaxLinks = 40;
    std::string current = path;
    for (int link = 0; link < kMaxLinks; ++link) {
        struct stat info;
        char target[4096];
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        const ssize_t length = readlink(current.c_str(), target, sizeof target);
        if (length <= 0 || static_cast<size_t>(length) == sizeof target)
            return current;
        std::string next(target, static_cast<size_t>(length));
        if (next[0] != '/')
            next = current.substr(0, current.rfind('/') + 1) + next;
        current = next;
    }
    return current;
}
#endif

// A file that may not be written is refused before any work, as opening it
// would have been; replacing it would otherwise succeed where writing fails.
void RefuseReadOnly(const std::string& path) {
    struct stat info;
#ifdef _WIN32
    if (stat(path.c_str(), &info) == 0 && _access(path.c_str(), 2) != 0)
#else
    if (stat(path.c_str(), &info) == 0 && access(path.c_str(), W_OK) != 0)
#endif
        throw FileError(path, errno);
}

// Creates a temporary file beside the target, under a name no other writer
// uses; null, with errno set, when the folder takes no new file.
CFilePtr CreateBeside(const std::string& target, std::string& created) {
    constexpr int kNameTries = 100;
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        const std::string name =
            target + "." + std::to_string(ProcessId()) + "-" + std::to_string(attempt) + ".tmp";
#ifdef _WIN32
        const int fd = CreateExclusive(name);
#else
        const int fd = CreateExclusive(name, target);
#endif
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return nullptr;
        std::FILE* file = OpenDescriptor(fd);
        if (!file) {
            const int error = errno;
            CloseDescriptor(fd);
            std::remove(name.c_str());
            errno = error;
            return nullptr;
        }
        created = name;
        return CFilePtr(file);
    }
    errno = EEXIST;
    return nullptr;
}

bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

}  // namespace

CByteWriter::CByteWriter(const std::string& path)
    : m_path(path), m_target(path), m_buffer(kBufferSize) {
    RefuseFolder(m_path);
    if (!IsRegularOrAbsent(m_path)) {
        m_file = OpenShared(m_path, true);
        return;
    }
    RefuseReadOnly(m_path);
#ifndef _WIN32
    m_target = Resolved(m_path);
#endif
    m_file = CreateBeside(m_target, m_temporary);
    if (m_file)
        return;
    const int error = errno;
    // A file the user may write, in a folder that takes no new file, is
    // written in place as it always was: there is no other way.
    if ((error != EACCES && error != EPERM) || !Exists(m_target))
        throw FileError(m_path, error);
    m_file = OpenShared(m_path, true);
}

CByteWriter::~CByteWriter() {
    if (!m_placed)
        Discard();
}

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
    if (m_placed || !m_file)
        return;
    Drain();
    const bool replacing = !m_temporary.empty();
    if (std::fflush(m_file.get()) != 0)
        throw FileError(m_path, errno);
    if (replacing)
        SyncToDisk(m_file.get());  // the old file goes only once the new one is on disk
    if (std::fclose(m_file.release()) != 0)
        throw FileError(m_path, errno);
    if (replacing)
        PutInPlace(m_temporary, m_target, m_path);
    m_placed = true;
}

// Never raises: it runs when a write has already failed.
void CByteWriter::Discard() {
    m_file.reset();
    if (!m_temporary.empty())
        std::remove(m_temporary.c_str());
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
