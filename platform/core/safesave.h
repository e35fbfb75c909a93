#pragma once
// Whole-file saves that lose nothing. The new content goes to a temporary
// file beside the target; every write, the sync and the close are checked and
// the size on disk compared with what was written; only then is the temporary
// renamed over the target and the folder synced. On any failure the temporary
// is removed and the target keeps its bytes, so a full or read-only disk
// leaves the earlier file as it was and no partial file behind.
//
// A target that is a symbolic link is replaced by the new file, never written
// through; a target that exists but is not a regular file (a folder, a device,
// a pipe), or that the user may not write, is refused.

#include <cstdint>
#include <string>
#include <string_view>

namespace titrage {

enum class SaveStatus {
    Ok,
    Refused,     // the target is not a regular file, or is write-protected
    OpenFailed,  // no temporary file could be made (missing or read-only folder)
    WriteFailed, // a write, the sync, the close or the size check failed (full disk)
    ReadFailed,  // the existing file's tail could not be read
    RenameFailed,
};

struct SaveResult {
    SaveStatus status = SaveStatus::Ok;
    int error = 0; // errno of the failing call, 0 when none
    bool ok() const { return status == SaveStatus::Ok; }
};

// One save in progress. Nothing reaches the target before commit(); the
// destructor of an uncommitted save removes its temporary file.
class SafeSave {
public:
    // `path` in the file system's encoding.
    explicit SafeSave(std::string path);
    ~SafeSave();
    SafeSave(const SafeSave&) = delete;
    SafeSave& operator=(const SafeSave&) = delete;

    // Makes the temporary file; false (see result()) when it cannot.
    bool open();
    // Appends bytes; false once anything failed.
    bool write(std::string_view bytes);
    // Appends the bytes the existing target holds from byte `offset` on, if
    // it exists and is longer; nothing when it does not.
    bool copyTail(std::int64_t offset);
    // Syncs, closes, checks the size and renames over the target.
    bool commit();

    // For a writer that opens the temporary by its name (the PDF printer)
    // instead of calling write(): the size of what it left there (-1 when
    // unknown) and up to `length` of its bytes from `offset` (fewer at the
    // end or when reading fails), read through the descriptor held since
    // open(), so that they are the temporary's own.
    std::int64_t temporarySize() const;
    std::string readAt(std::int64_t offset, std::size_t length) const;
    // Commits what such a writer left, `size` bytes by the caller's check,
    // as long as the temporary's name still leads to the file open() made.
    bool commitWritten(std::int64_t size);
    // Removes the temporary file; the target is untouched.
    void cancel();

    const SaveResult& result() const { return m_result; }
    // The temporary file's path while the save is open (tests).
    const std::string& temporaryPath() const { return m_temp; }

private:
    bool fail(SaveStatus status, int error);

    std::string m_path;
    std::string m_temp;
    int m_fd = -1;
    std::int64_t m_written = 0;
    SaveResult m_result;
};

// Writes `bytes` as the whole content of `path`.
SaveResult saveWholeFile(const std::string& path, std::string_view bytes);

} // namespace titrage
