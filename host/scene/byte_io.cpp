#include "scene/byte_io.h"
#include <algorithm>
#include <cstring>

// Chunk headers and most fields are a few bytes, and the C runtime's memcpy is an
// out-of-line call that costs more than copying them by hand.
static inline void copyBytes(unsigned char* to, const unsigned char* from, size_t n) {
    if (n > 16) {
        std::memcpy(to, from, n);
        return;
    }
    for (size_t i = 0; i < n; ++i) to[i] = from[i];
}

bool MemorySink::write(const void* data, size_t n) {
    const auto* p = static_cast<const unsigned char*>(data);
    bytes.insert(bytes.end(), p, p + n);
    return true;
}

bool MemorySink::patch(uint64_t offset, const void* data, size_t n) {
    if (offset > bytes.size() || n > bytes.size() - offset) return false;
    std::memcpy(bytes.data() + offset, data, n);
    return true;
}

MemorySource::MemorySource(const void* data, size_t size)
    : data_(static_cast<const unsigned char*>(data)), size_(size) {}

MemorySource::MemorySource(const std::vector<unsigned char>& bytes)
    : MemorySource(bytes.data(), bytes.size()) {}

size_t MemorySource::read(void* data, size_t n) {
    size_t available = std::min(n, size_ - pos_);
    std::memcpy(data, data_ + pos_, available);
    pos_ += available;
    return available;
}

bool MemorySource::skip(uint64_t n) {
    if (n > size_ - pos_) {
        pos_ = size_;
        return false;
    }
    pos_ += static_cast<size_t>(n);
    return true;
}

static bool seekFile(HANDLE file, uint64_t offset) {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file, to, nullptr, FILE_BEGIN) != 0;
}

bool FileSink::seekTo(uint64_t offset) {
    if (seekFile(file_, offset)) return true;
    failure_ = "write failed (" + systemErrorText(GetLastError()) + ")";
    return false;
}

// WriteFile takes at most 4 GiB - 1 per call. A write that stops short without an error
// is a full disk (the system then reports no error code to quote).
bool FileSink::writeAll(const unsigned char* data, size_t n) {
    const size_t wanted = n;
    while (n > 0) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(n, 0x40000000));
        DWORD done = 0;
        const bool ok = WriteFile(file_, data, chunk, &done, nullptr) != 0;
        data += done;
        n -= done;
        if (!ok || done != chunk) {
            const DWORD code = ok ? ERROR_DISK_FULL : GetLastError();
            failure_ = "wrote " + std::to_string(wanted - n) + " of " + std::to_string(wanted) +
                       " bytes: " +
                       (code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL
                            ? std::string("the disk is full")
                            : systemErrorText(code));
            return false;
        }
    }
    return true;
}

FileSink::~FileSink() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

bool FileSink::create(const std::string& path) {
    file_ = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return false;
    buffer_.reserve(FILE_BUFFER_SIZE);
    return true;
}

bool FileSink::flush() {
    if (!failed_ && !writeAll(buffer_.data(), buffer_.size())) failed_ = true;
    flushed_ += buffer_.size();
    buffer_.clear();
    return !failed_;
}

bool FileSink::write(const void* data, size_t n) {
    if (failed_ || file_ == INVALID_HANDLE_VALUE) return false;
    const auto* p = static_cast<const unsigned char*>(data);
    if (buffer_.size() + n > FILE_BUFFER_SIZE && !flush()) return false;
    if (n >= FILE_BUFFER_SIZE) {
        if (!writeAll(p, n)) failed_ = true;
        flushed_ += n;
        return !failed_;
    }
    size_t at = buffer_.size();
    buffer_.resize(at + n);
    copyBytes(buffer_.data() + at, p, n);
    return true;
}

bool FileSink::patch(uint64_t offset, const void* data, size_t n) {
    if (failed_ || offset + n > position()) return false;
    if (offset >= flushed_) {
        std::memcpy(buffer_.data() + (offset - flushed_), data, n);
        return true;
    }
    // Bytes partly or wholly in the file: flush first so that one seek-and-write suffices.
    if (!flush()) return false;
    if (!seekTo(offset) || !writeAll(static_cast<const unsigned char*>(data), n) ||
        !seekTo(flushed_))
        failed_ = true;
    return !failed_;
}

bool FileSink::close() {
    if (file_ == INVALID_HANDLE_VALUE) return false;
    bool ok = flush();
    if (ok && !FlushFileBuffers(file_)) {
        failure_ = "cannot flush the file to disk (" + systemErrorText(GetLastError()) + ")";
        ok = false;
    }
    if (!CloseHandle(file_) && ok) {
        failure_ = "cannot close the file (" + systemErrorText(GetLastError()) + ")";
        ok = false;
    }
    file_ = INVALID_HANDLE_VALUE;
    return ok;
}

FileSource::~FileSource() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

bool FileSource::open(const std::string& path) {
    file_ = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file_, &size)) return false;
    size_ = static_cast<uint64_t>(size.QuadPart);
    buffer_.resize(FILE_BUFFER_SIZE);
    return true;
}

bool FileSource::refill() {
    DWORD got = 0;
    if (!ReadFile(file_, buffer_.data(), static_cast<DWORD>(buffer_.size()), &got, nullptr))
        got = 0;
    bufferPos_ = 0;
    bufferEnd_ = got;
    return got > 0;
}

size_t FileSource::read(void* data, size_t n) {
    auto* out = static_cast<unsigned char*>(data);
    size_t done = 0;
    while (done < n) {
        if (bufferPos_ == bufferEnd_) {
            // A large block goes straight to the caller: no copy through the buffer.
            if (n - done >= buffer_.size()) {
                DWORD want = static_cast<DWORD>(std::min<size_t>(n - done, 0x40000000));
                DWORD got = 0;
                if (!ReadFile(file_, out + done, want, &got, nullptr) || got == 0) break;
                done += got;
                pos_ += got;
                continue;
            }
            if (!refill()) break;
        }
        size_t take = std::min(n - done, bufferEnd_ - bufferPos_);
        copyBytes(out + done, buffer_.data() + bufferPos_, take);
        bufferPos_ += take;
        done += take;
        pos_ += take;
    }
    return done;
}

bool FileSource::skip(uint64_t n) {
    if (n > size_ - pos_) return false;
    if (n <= bufferEnd_ - bufferPos_) {
        bufferPos_ += static_cast<size_t>(n);
        pos_ += n;
        return true;
    }
    pos_ += n;
    bufferPos_ = bufferEnd_ = 0;
    return seekFile(file_, pos_);
}

std::string systemErrorText(DWORD code) {
    char text[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, 0, text, sizeof text, nullptr);
    while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r' || text[n - 1] == ' ')) --n;
    if (n == 0) return "system error " + std::to_string(code);
    return std::string(text, n);
}

bool writeFileReplacing(const std::string& path,
                        const std::function<bool(ByteSink& sink, std::string& what)>& write,
                        std::string& error) {
    if (path.empty()) {
        error = "the file name is empty";
        return false;
    }
    const std::string temporary = path + ".saving";
    FileSink sink;
    if (!sink.create(temporary)) {
        error = temporary + ": cannot create (" + systemErrorText(GetLastError()) + ")";
        return false;
    }
    std::string what;
    bool written = write(sink, what);
    if (!sink.close() && written) {
        written = false;
        what = sink.failure();
    }
    if (written && !MoveFileExA(temporary.c_str(), path.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        written = false;
        what = "cannot replace the file (" + systemErrorText(GetLastError()) + ")";
    }
    if (!written) {
        DeleteFileA(temporary.c_str());
        error = path + ": " + what;
    }
    return written;
}

bool writeTextFileReplacing(const std::string& path, const std::string& text, std::string& error) {
    return writeFileReplacing(
        path,
        [&](ByteSink& sink, std::string& what) {
            if (sink.write(text.data(), text.size())) return true;
            what = sink.failure();
            return false;
        },
        error);
}

bool readTextFile(const std::string& path, std::string& text, std::string& error) {
    FileSource source;
    if (!source.open(path)) {
        error = path + ": cannot open (" + systemErrorText(GetLastError()) + ")";
        return false;
    }
    text.resize(source.size());
    if (source.read(&text[0], text.size()) != text.size()) {
        error = path + ": read failed";
        return false;
    }
    return true;
}
