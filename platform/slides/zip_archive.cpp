#include "platform/slides/zip_archive.h"

#include "platform/files/files.h"
#include "platform/slides/errors.h"

#include <filesystem>
#include <zip.h>

namespace ks::slides {

namespace {
constexpr zip_uint64_t kMaxEntryBytes = 64u << 20;

std::string zipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

[[noreturn]] void raiseWriteError(const std::string& path, const std::string& reason)
{
    raise(kErrFileAccess, "Cannot save the presentation \"" + path + "\": " + reason);
}
}

ZipReader::ZipReader(const std::string& path) : path_(path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        raise(kErrFileNotFound, "File not found: \"" + path + "\"");
    int code = 0;
    archive_ = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!archive_) {
        bool notZip = code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS;
        raise(notZip ? kErrBadFileFormat : kErrFileAccess,
              "Cannot read \"" + path + "\": " + (notZip ? std::string("not a presentation package") : zipErrorText(code)));
    }
}

ZipReader::~ZipReader()
{
    if (archive_)
        zip_discard(archive_);
}

bool ZipReader::has(const std::string& name) const { return zip_name_locate(archive_, name.c_str(), 0) >= 0; }

std::string ZipReader::read(const std::string& name) const
{
    auto fail = [&](const std::string& why) -> std::string {
        raise(kErrBadFileFormat, "Cannot read \"" + path_ + "\": the part " + name + " is " + why);
    };
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive_, name.c_str(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        return fail("missing");
    if (stat.size > kMaxEntryBytes)
        return fail("too large");
    zip_file_t* file = zip_fopen(archive_, name.c_str(), 0);
    if (!file)
        return fail("unreadable");
    std::string bytes(static_cast<std::size_t>(stat.size), '\0');
    zip_int64_t got = bytes.empty() ? 0 : zip_fread(file, bytes.data(), stat.size);
    zip_fclose(file);
    if (got != static_cast<zip_int64_t>(stat.size))
        return fail("damaged");
    return bytes;
}

namespace {
// Frees what the archive writer holds on every way out.
struct ArchiveParts {
    zip_source_t* buffer = nullptr;
    zip_t* archive = nullptr;
    ~ArchiveParts()
    {
        if (archive)
            zip_discard(archive);
        if (buffer)
            zip_source_free(buffer);
    }
};

// The archive's bytes, built in memory: libzip writing to a file name makes a temporary of
// its own beside it, which a killed save would leave behind.
std::string archiveBytes(const std::string& target, const std::vector<ZipEntry>& entries)
{
    ArchiveParts parts;
    zip_error_t error;
    zip_error_init(&error);
    parts.buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (parts.buffer)
        parts.archive = zip_open_from_source(parts.buffer, ZIP_TRUNCATE, &error);
    if (!parts.archive) {
        std::string reason = zip_error_strerror(&error);
        zip_error_fini(&error);
        raiseWriteError(target, reason);
    }
    zip_error_fini(&error);
    zip_source_keep(parts.buffer);   // the archive owns the buffer now; it is read back after zip_close
    for (const auto& entry : entries) {
        zip_source_t* source = zip_source_buffer(parts.archive, entry.bytes->data(), entry.bytes->size(), 0);
        zip_int64_t index = source ? zip_file_add(parts.archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(source);
            raiseWriteError(target, zip_strerror(parts.archive));
        }
        zip_set_file_compression(parts.archive, static_cast<zip_uint64_t>(index),
                                 entry.store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    if (zip_close(parts.archive) != 0)
        raiseWriteError(target, zip_strerror(parts.archive));
    parts.archive = nullptr;

    std::string bytes;
    zip_stat_t stat;
    zip_stat_init(&stat);
    bool read = zip_source_stat(parts.buffer, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)
             && zip_source_open(parts.buffer) == 0;
    if (read) {
        bytes.resize(static_cast<std::size_t>(stat.size));
        read = zip_source_read(parts.buffer, bytes.data(), stat.size) == static_cast<zip_int64_t>(stat.size);
        zip_source_close(parts.buffer);
    }
    if (!read)
        raiseWriteError(target, "the archive could not be built in memory");
    return bytes;
}
}

void writeZipFile(const std::string& path, const std::vector<ZipEntry>& entries)
{
    const files::Outcome saved = files::saveFile(path, archiveBytes(path, entries));
    if (!saved)
        raiseWriteError(path, saved.reason);
}
}
