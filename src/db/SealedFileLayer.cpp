#include "db/SealedFileLayer.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <sodium.h>
#include <sqlite3.h>
#include <string>

namespace SealedFileLayer
{
namespace
{

using ProtectionKeys::keySize;
using ProtectionKeys::Salt;

// Header layout (little-endian): mark, format, block size, cost, salts, key check.
constexpr char mark[] = "Lumivaret sealed"; // 16 bytes, no terminator stored
constexpr int markSize = 16;
constexpr std::uint32_t formatVersion = 1;
constexpr int offsetVersion = 16;
constexpr int offsetBlockSize = 20;
constexpr int offsetOperations = 24;
constexpr int offsetMemory = 32;
constexpr int offsetPasswordSalt = 40;
constexpr int offsetFileSalt = 56;
constexpr int offsetKeyCheck = 72;
constexpr int checkSize = 32;
constexpr int headerUsed = offsetKeyCheck + checkSize;

constexpr int nonceSize = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
constexpr int tagSize = crypto_aead_xchacha20poly1305_ietf_ABYTES;
constexpr int overhead = nonceSize + tagSize;
constexpr int storedBlock = blockSize + overhead;

void putU32(unsigned char* at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(v >> (8 * i));
}
void putU64(unsigned char* at, std::uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        at[i] = static_cast<unsigned char>(v >> (8 * i));
}
std::uint64_t getU64(const unsigned char* at, int bytes)
{
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | at[i];
    return v;
}

// The check proves the key without revealing it: a keyed hash of the header's fields.
void computeCheck(const unsigned char* header, const unsigned char* fileKey, unsigned char* out)
{
    crypto_generichash(out, checkSize, header, offsetKeyCheck, fileKey, keySize);
}

std::optional<Header> parseHeader(const unsigned char* bytes, qint64 size)
{
    if (size < headerUsed || std::memcmp(bytes, mark, markSize) != 0)
        return std::nullopt;
    if (getU64(bytes + offsetVersion, 4) != formatVersion || getU64(bytes + offsetBlockSize, 4) != blockSize)
        return std::nullopt;
    Header h;
    h.cost.operations = getU64(bytes + offsetOperations, 8);
    h.cost.memoryBytes = getU64(bytes + offsetMemory, 8);
    std::memcpy(h.passwordSalt.data(), bytes + offsetPasswordSalt, ProtectionKeys::saltSize);
    std::memcpy(h.fileSalt.data(), bytes + offsetFileSalt, ProtectionKeys::saltSize);
    h.keyCheck = QByteArray(reinterpret_cast<const char*>(bytes + offsetKeyCheck), checkSize);
    return h;
}

void buildHeader(unsigned char* out, const ProtectionKeys::Cost& cost, const Salt& passwordSalt,
                 const Salt& fileSalt, const unsigned char* fileKey)
{
    std::memset(out, 0, headerSize);
    std::memcpy(out, mark, markSize);
    putU32(out + offsetVersion, formatVersion);
    putU32(out + offsetBlockSize, blockSize);
    putU64(out + offsetOperations, cost.operations);
    putU64(out + offsetMemory, cost.memoryBytes);
    std::memcpy(out + offsetPasswordSalt, passwordSalt.data(), passwordSalt.size());
    std::memcpy(out + offsetFileSalt, fileSalt.data(), fileSalt.size());
    computeCheck(out, fileKey, out + offsetKeyCheck);
}

bool checkMatches(const Header& header, const unsigned char* fileKey)
{
    unsigned char bytes[headerUsed] = {};
    std::memcpy(bytes, mark, markSize);
    putU32(bytes + offsetVersion, formatVersion);
    putU32(bytes + offsetBlockSize, blockSize);
    putU64(bytes + offsetOperations, header.cost.operations);
    putU64(bytes + offsetMemory, header.cost.memoryBytes);
    std::memcpy(bytes + offsetPasswordSalt, header.passwordSalt.data(), ProtectionKeys::saltSize);
    std::memcpy(bytes + offsetFileSalt, header.fileSalt.data(), ProtectionKeys::saltSize);
    unsigned char check[checkSize];
    computeCheck(bytes, fileKey, check);
    return header.keyCheck.size() == checkSize && sodium_memcmp(check, header.keyCheck.constData(), checkSize) == 0;
}

// ---- the open files ----

sqlite3_vfs* below = nullptr;
sqlite3_vfs layer;
sqlite3_io_methods sealedMethods;

struct SealedFile {
    sqlite3_file base;
    sqlite3_file* real;
    unsigned char key[keySize];
    unsigned char fileSalt[ProtectionKeys::saltSize];
    Salt passwordSalt;
    unsigned char* plain;  // one block in clear
    unsigned char* stored; // one block as stored
    // Each block written gets a nonce never used before: random for this
    // opening of the file, then counted (a system call per block otherwise).
    unsigned char nonce[nonceSize];
    std::uint64_t written;
    char* mainName;        // set for a main database: its journals follow it
};

// The sealed databases open now, by name, with their password salt: a journal
// opened beside one is sealed under the same salt.
struct OpenDatabases {
    QMutex mutex;
    std::map<std::string, std::pair<Salt, int>> byName;
};
OpenDatabases& openDatabases()
{
    static OpenDatabases instance;
    return instance;
}

sqlite3_int64 storedOffset(sqlite3_int64 block)
{
    return headerSize + block * storedBlock;
}

int storedSize(SealedFile* f, sqlite3_int64* size)
{
    return f->real->pMethods->xFileSize(f->real, size);
}

sqlite3_int64 plainSizeOf(sqlite3_int64 stored)
{
    if (stored <= headerSize)
        return 0;
    const sqlite3_int64 body = stored - headerSize;
    const sqlite3_int64 rest = body % storedBlock;
    return body / storedBlock * blockSize + (rest > overhead ? rest - overhead : 0);
}

void additionalData(const SealedFile* f, sqlite3_int64 block, unsigned char* out)
{
    std::memcpy(out, f->fileSalt, ProtectionKeys::saltSize);
    putU64(out + ProtectionKeys::saltSize, static_cast<std::uint64_t>(block));
}
constexpr int additionalSize = ProtectionKeys::saltSize + 8;

// Reads block `block` in clear into f->plain; `length` gets its length (0 past the end).
int readBlock(SealedFile* f, sqlite3_int64 block, int* length)
{
    int rc = f->real->pMethods->xRead(f->real, f->stored, storedBlock, storedOffset(block));
    int storedLength = storedBlock;
    if (rc == SQLITE_IOERR_SHORT_READ) {
        sqlite3_int64 size = 0;
        if (storedSize(f, &size) != SQLITE_OK)
            return SQLITE_IOERR_READ;
        storedLength = static_cast<int>(std::clamp<sqlite3_int64>(size - storedOffset(block), 0, storedBlock));
    } else if (rc != SQLITE_OK) {
        return rc;
    }
    if (storedLength <= overhead) {
        *length = 0;
        return SQLITE_OK;
    }
    const int clear = storedLength - overhead;
    unsigned char ad[additionalSize];
    additionalData(f, block, ad);
    if (crypto_aead_xchacha20poly1305_ietf_decrypt_detached(f->plain, nullptr, f->stored + nonceSize, clear,
                                                            f->stored + nonceSize + clear, ad, additionalSize,
                                                            f->stored, f->key) != 0)
        return SQLITE_IOERR_DATA;
    *length = clear;
    return SQLITE_OK;
}

// Encrypts `length` bytes of `clear` as block `block` and writes it.
int writeBlock(SealedFile* f, sqlite3_int64 block, const unsigned char* clear, int length)
{
    unsigned char ad[additionalSize];
    additionalData(f, block, ad);
    putU64(f->nonce + nonceSize - 8, ++f->written);
    std::memcpy(f->stored, f->nonce, nonceSize);
    crypto_aead_xchacha20poly1305_ietf_encrypt_detached(f->stored + nonceSize, f->stored + nonceSize + length,
                                                        nullptr, clear, length, ad, additionalSize, nullptr,
                                                        f->stored, f->key);
    return f->real->pMethods->xWrite(f->real, f->stored, length + overhead, storedOffset(block));
}

SealedFile* sealed(sqlite3_file* file)
{
    return reinterpret_cast<SealedFile*>(file);
}

int sealedClose(sqlite3_file* file)
{
    SealedFile* f = sealed(file);
    const int rc = f->real->pMethods ? f->real->pMethods->xClose(f->real) : SQLITE_OK;
    if (f->mainName) {
        OpenDatabases& open = openDatabases();
        QMutexLocker lock(&open.mutex);
        const auto found = open.byName.find(f->mainName);
        if (found != open.byName.end() && --found->second.second == 0)
            open.byName.erase(found);
        sqlite3_free(f->mainName);
    }
    sodium_memzero(f->key, sizeof f->key);
    if (f->plain)
        sodium_memzero(f->plain, blockSize);
    sqlite3_free(f->plain);
    sqlite3_free(f->stored);
    return rc;
}

int sealedRead(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset)
{
    SealedFile* f = sealed(file);
    auto* out = static_cast<unsigned char*>(buffer);
    bool short_ = false;
    while (amount > 0) {
        const sqlite3_int64 block = offset / blockSize;
        const int within = static_cast<int>(offset % blockSize);
        const int take = std::min(amount, blockSize - within);
        int length = 0;
        if (const int rc = readBlock(f, block, &length); rc != SQLITE_OK)
            return rc;
        const int have = std::clamp(length - within, 0, take);
        std::memcpy(out, f->plain + within, have);
        if (have < take) {
            std::memset(out + have, 0, take - have);
            short_ = true;
        }
        out += take;
        offset += take;
        amount -= take;
    }
    return short_ ? SQLITE_IOERR_SHORT_READ : SQLITE_OK;
}

int sealedFileSize(sqlite3_file* file, sqlite3_int64* size)
{
    sqlite3_int64 stored = 0;
    const int rc = storedSize(sealed(file), &stored);
    *size = plainSizeOf(stored);
    return rc;
}

// Makes every block before `block` whole, so that block `block` can be written at its place.
int fillUpTo(SealedFile* f, sqlite3_int64 block, sqlite3_int64 plainSize)
{
    sqlite3_int64 next = plainSize / blockSize;
    if (plainSize % blockSize != 0 && next < block) {
        int length = 0;
        if (const int rc = readBlock(f, next, &length); rc != SQLITE_OK)
            return rc;
        std::memset(f->plain + length, 0, blockSize - length);
        if (const int rc = writeBlock(f, next, f->plain, blockSize); rc != SQLITE_OK)
            return rc;
        ++next;
    } else if (plainSize % blockSize != 0) {
        return SQLITE_OK; // the partial last block is the one being written
    }
    for (; next < block; ++next) {
        std::memset(f->plain, 0, blockSize);
        if (const int rc = writeBlock(f, next, f->plain, blockSize); rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

int sealedWrite(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset)
{
    SealedFile* f = sealed(file);
    const auto* in = static_cast<const unsigned char*>(buffer);
    sqlite3_int64 plainSize = 0;
    if (const int rc = sealedFileSize(file, &plainSize); rc != SQLITE_OK)
        return rc;
    if (const int rc = fillUpTo(f, offset / blockSize, plainSize); rc != SQLITE_OK)
        return rc;
    while (amount > 0) {
        const sqlite3_int64 block = offset / blockSize;
        const int within = static_cast<int>(offset % blockSize);
        const int take = std::min(amount, blockSize - within);
        int rc = SQLITE_OK;
        if (within == 0 && take == blockSize) {
            rc = writeBlock(f, block, in, blockSize);
        } else {
            // Part of a block: the rest of it is kept as it was.
            const sqlite3_int64 blockStart = block * blockSize;
            int length = 0;
            if (plainSize > blockStart)
                rc = readBlock(f, block, &length);
            if (rc != SQLITE_OK)
                return rc;
            std::memset(f->plain + length, 0, blockSize - length);
            std::memcpy(f->plain + within, in, take);
            rc = writeBlock(f, block, f->plain, std::max(length, within + take));
        }
        if (rc != SQLITE_OK)
            return rc;
        plainSize = std::max(plainSize, offset + take);
        in += take;
        offset += take;
        amount -= take;
    }
    return SQLITE_OK;
}

// Grows the file to `size` with zeros, as a truncation to a larger size does.
int extendWithZeros(sqlite3_file* file, sqlite3_int64 from, sqlite3_int64 size)
{
    static const unsigned char zeros[blockSize] = {};
    while (from < size) {
        const int amount = static_cast<int>(std::min<sqlite3_int64>(blockSize - from % blockSize, size - from));
        if (const int rc = sealedWrite(file, zeros, amount, from); rc != SQLITE_OK)
            return rc;
        from += amount;
    }
    return SQLITE_OK;
}

int sealedTruncate(sqlite3_file* file, sqlite3_int64 size)
{
    SealedFile* f = sealed(file);
    sqlite3_int64 plainSize = 0;
    if (const int rc = sealedFileSize(file, &plainSize); rc != SQLITE_OK)
        return rc;
    if (size >= plainSize)
        return extendWithZeros(file, plainSize, size);
    const sqlite3_int64 whole = size / blockSize;
    const int rest = static_cast<int>(size % blockSize);
    sqlite3_int64 stored = storedOffset(whole);
    if (rest > 0) {
        int length = 0;
        if (const int rc = readBlock(f, whole, &length); rc != SQLITE_OK)
            return rc;
        if (length > rest) {
            if (const int rc = writeBlock(f, whole, f->plain, rest); rc != SQLITE_OK)
                return rc;
        }
        stored += std::min(length, rest) + overhead;
    }
    return f->real->pMethods->xTruncate(f->real, stored);
}

int sealedSync(sqlite3_file* file, int flags)
{
    SealedFile* f = sealed(file);
    return f->real->pMethods->xSync(f->real, flags);
}
int sealedLock(sqlite3_file* file, int level)
{
    SealedFile* f = sealed(file);
    return f->real->pMethods->xLock(f->real, level);
}
int sealedUnlock(sqlite3_file* file, int level)
{
    SealedFile* f = sealed(file);
    return f->real->pMethods->xUnlock(f->real, level);
}
int sealedCheckReservedLock(sqlite3_file* file, int* result)
{
    SealedFile* f = sealed(file);
    return f->real->pMethods->xCheckReservedLock(f->real, result);
}

int sealedFileControl(sqlite3_file* file, int op, void* argument)
{
    SealedFile* f = sealed(file);
    switch (op) {
    // Sizes given in clear would make the layer below grow the stored file to
    // a length that is not a whole number of stored blocks.
    case SQLITE_FCNTL_SIZE_HINT:
    case SQLITE_FCNTL_CHUNK_SIZE:
        return SQLITE_OK;
    // Mapping the stored file into memory would show SQLite the ciphertext.
    case SQLITE_FCNTL_MMAP_SIZE:
        *static_cast<sqlite3_int64*>(argument) = 0;
        return SQLITE_OK;
    default:
        return f->real->pMethods->xFileControl(f->real, op, argument);
    }
}

int sealedSectorSize(sqlite3_file* file)
{
    SealedFile* f = sealed(file);
    return std::max(blockSize, f->real->pMethods->xSectorSize(f->real));
}

// A write rewrites whole stored blocks: nothing smaller than a block is atomic
// or safe to overwrite alone.
int sealedDeviceCharacteristics(sqlite3_file* file)
{
    SealedFile* f = sealed(file);
    const int unsafe = SQLITE_IOCAP_ATOMIC | SQLITE_IOCAP_ATOMIC512 | SQLITE_IOCAP_ATOMIC1K | SQLITE_IOCAP_ATOMIC2K |
                       SQLITE_IOCAP_ATOMIC4K | SQLITE_IOCAP_ATOMIC8K | SQLITE_IOCAP_ATOMIC16K |
                       SQLITE_IOCAP_ATOMIC32K | SQLITE_IOCAP_ATOMIC64K | SQLITE_IOCAP_SAFE_APPEND |
                       SQLITE_IOCAP_POWERSAFE_OVERWRITE | SQLITE_IOCAP_BATCH_ATOMIC;
    return f->real->pMethods->xDeviceCharacteristics(f->real) & ~unsafe;
}

// ---- opening ----

enum class Decision { Plain, SealedExisting, SealNew };

// The first bytes of the file as it is now (empty when missing).
QByteArray peek(const char* name)
{
    if (!name)
        return {};
    QFile file(QFile::decodeName(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(headerUsed);
}

std::optional<Salt> databaseOfJournal(const char* name)
{
    if (!name)
        return std::nullopt;
    std::string journal(name);
    for (const char* suffix : {"-journal", "-wal"}) {
        const std::size_t n = std::strlen(suffix);
        if (journal.size() > n && journal.compare(journal.size() - n, n, suffix) == 0) {
            OpenDatabases& open = openDatabases();
            QMutexLocker lock(&open.mutex);
            const auto found = open.byName.find(journal.substr(0, journal.size() - n));
            if (found != open.byName.end())
                return found->second.first;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

int openSealed(SealedFile* f, const char* name, int flags, const Header* existing, const Salt& passwordSalt)
{
    f->plain = static_cast<unsigned char*>(sqlite3_malloc(blockSize));
    f->stored = static_cast<unsigned char*>(sqlite3_malloc(storedBlock));
    if (!f->plain || !f->stored)
        return SQLITE_NOMEM;
    randombytes_buf(f->nonce, nonceSize - 8);
    const unsigned char* passwordKey = ProtectionKeys::key(passwordSalt);
    if (!passwordKey)
        return SQLITE_AUTH;
    f->passwordSalt = passwordSalt;
    if (existing) {
        std::memcpy(f->fileSalt, existing->fileSalt.data(), sizeof f->fileSalt);
        ProtectionKeys::fileKey(passwordKey, existing->fileSalt, f->key);
        if (!checkMatches(*existing, f->key))
            return SQLITE_AUTH;
    } else {
        const Salt fileSalt = ProtectionKeys::newSalt();
        std::memcpy(f->fileSalt, fileSalt.data(), sizeof f->fileSalt);
        ProtectionKeys::fileKey(passwordKey, fileSalt, f->key);
        unsigned char header[headerSize];
        buildHeader(header, ProtectionKeys::costOf(passwordSalt), passwordSalt, fileSalt, f->key);
        if (const int rc = f->real->pMethods->xWrite(f->real, header, headerSize, 0); rc != SQLITE_OK)
            return rc;
    }
    if ((flags & SQLITE_OPEN_MAIN_DB) && name) {
        f->mainName = sqlite3_mprintf("%s", name);
        OpenDatabases& open = openDatabases();
        QMutexLocker lock(&open.mutex);
        auto& entry = open.byName[name];
        entry.first = passwordSalt;
        ++entry.second;
    }
    return SQLITE_OK;
}

int layerOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    const QByteArray first = peek(name);
    std::optional<Header> existing =
        parseHeader(reinterpret_cast<const unsigned char*>(first.constData()), first.size());

    Decision decision = Decision::Plain;
    std::optional<Salt> salt;
    if (existing) {
        decision = Decision::SealedExisting;
        salt = existing->passwordSalt;
    } else if (first.isEmpty() && (flags & SQLITE_OPEN_READWRITE)) {
        // A new or empty file: a journal follows its database, any other file the active protection.
        salt = (flags & (SQLITE_OPEN_MAIN_JOURNAL | SQLITE_OPEN_WAL)) ? databaseOfJournal(name)
                                                                      : ProtectionKeys::activeSalt();
        if (salt)
            decision = Decision::SealNew;
    }

    if (decision == Decision::Plain) {
        // The file of the layer below takes our place entirely: plain files cost nothing more.
        return below->xOpen(below, name, file, flags, outFlags);
    }

    SealedFile* f = sealed(file);
    std::memset(f, 0, sizeof *f);
    f->real = reinterpret_cast<sqlite3_file*>(f + 1);
    std::memset(f->real, 0, below->szOsFile);
    int rc = below->xOpen(below, name, f->real, flags, outFlags);
    if (rc != SQLITE_OK) {
        file->pMethods = nullptr;
        return rc;
    }
    file->pMethods = &sealedMethods;
    rc = openSealed(f, name, flags, existing ? &*existing : nullptr, *salt);
    if (rc != SQLITE_OK) {
        sealedClose(file);
        file->pMethods = nullptr;
    }
    return rc;
}

int layerDelete(sqlite3_vfs*, const char* name, int syncDir)
{
    return below->xDelete(below, name, syncDir);
}
int layerAccess(sqlite3_vfs*, const char* name, int flags, int* result)
{
    return below->xAccess(below, name, flags, result);
}
int layerFullPathname(sqlite3_vfs*, const char* name, int size, char* out)
{
    return below->xFullPathname(below, name, size, out);
}
void* layerDlOpen(sqlite3_vfs*, const char* name)
{
    return below->xDlOpen(below, name);
}
void layerDlError(sqlite3_vfs*, int size, char* out)
{
    below->xDlError(below, size, out);
}
void (*layerDlSym(sqlite3_vfs*, void* handle, const char* symbol))(void)
{
    return below->xDlSym(below, handle, symbol);
}
void layerDlClose(sqlite3_vfs*, void* handle)
{
    below->xDlClose(below, handle);
}
int layerRandomness(sqlite3_vfs*, int size, char* out)
{
    return below->xRandomness(below, size, out);
}
int layerSleep(sqlite3_vfs*, int microseconds)
{
    return below->xSleep(below, microseconds);
}
int layerCurrentTime(sqlite3_vfs*, double* now)
{
    return below->xCurrentTime(below, now);
}
int layerGetLastError(sqlite3_vfs*, int size, char* out)
{
    return below->xGetLastError ? below->xGetLastError(below, size, out) : 0;
}
int layerCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* now)
{
    return below->xCurrentTimeInt64(below, now);
}

void registerLayer()
{
    if (sodium_init() < 0)
        return; // without its library the layer stays out: protected files then do not open
    below = sqlite3_vfs_find(nullptr);
    layer = sqlite3_vfs{};
    layer.iVersion = 2;
    layer.szOsFile = static_cast<int>(sizeof(SealedFile)) + below->szOsFile;
    layer.mxPathname = below->mxPathname;
    layer.zName = "lumivaret-sealed";
    layer.xOpen = layerOpen;
    layer.xDelete = layerDelete;
    layer.xAccess = layerAccess;
    layer.xFullPathname = layerFullPathname;
    layer.xDlOpen = layerDlOpen;
    layer.xDlError = layerDlError;
    layer.xDlSym = layerDlSym;
    layer.xDlClose = layerDlClose;
    layer.xRandomness = layerRandomness;
    layer.xSleep = layerSleep;
    layer.xCurrentTime = layerCurrentTime;
    layer.xGetLastError = layerGetLastError;
    layer.xCurrentTimeInt64 = below->iVersion >= 2 && below->xCurrentTimeInt64 ? layerCurrentTimeInt64 : nullptr;
    if (!layer.xCurrentTimeInt64)
        layer.iVersion = 1;

    sealedMethods = sqlite3_io_methods{};
    sealedMethods.iVersion = 1;
    sealedMethods.xClose = sealedClose;
    sealedMethods.xRead = sealedRead;
    sealedMethods.xWrite = sealedWrite;
    sealedMethods.xTruncate = sealedTruncate;
    sealedMethods.xSync = sealedSync;
    sealedMethods.xFileSize = sealedFileSize;
    sealedMethods.xLock = sealedLock;
    sealedMethods.xUnlock = sealedUnlock;
    sealedMethods.xCheckReservedLock = sealedCheckReservedLock;
    sealedMethods.xFileControl = sealedFileControl;
    sealedMethods.xSectorSize = sealedSectorSize;
    sealedMethods.xDeviceCharacteristics = sealedDeviceCharacteristics;
    sqlite3_vfs_register(&layer, 1);
}

} // namespace

void install()
{
    static std::once_flag once;
    std::call_once(once, registerLayer);
}

std::optional<Header> readHeader(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(headerUsed);
    return parseHeader(reinterpret_cast<const unsigned char*>(bytes.constData()), bytes.size());
}

bool isSealed(const QString& filePath)
{
    return readHeader(filePath).has_value();
}

bool keyOpens(const Header& header, const unsigned char* key)
{
    install(); // also readies libsodium
    if (!key)
        return false;
    unsigned char fileKey[keySize];
    ProtectionKeys::fileKey(key, header.fileSalt, fileKey);
    const bool opens = checkMatches(header, fileKey);
    sodium_memzero(fileKey, sizeof fileKey);
    return opens;
}

namespace
{

// True when `password` opens the file; its key is then kept when `keepKey`.
bool tryPassword(const QString& filePath, const QByteArray& password, bool keepKey)
{
    install(); // also readies libsodium
    const std::optional<Header> header = readHeader(filePath);
    if (!header)
        return false;
    unsigned char* key = static_cast<unsigned char*>(sodium_malloc(keySize));
    const bool opens = key && ProtectionKeys::deriveInto(password, header->passwordSalt, header->cost, key) &&
                       keyOpens(*header, key);
    if (opens && keepKey)
        ProtectionKeys::keep(header->passwordSalt, key, header->cost);
    sodium_free(key);
    return opens;
}

} // namespace

bool passwordOpens(const QString& filePath, const QByteArray& password)
{
    return tryPassword(filePath, password, false);
}

bool unlock(const QString& filePath, const QByteArray& password)
{
    return tryPassword(filePath, password, true);
}

} // namespace SealedFileLayer
