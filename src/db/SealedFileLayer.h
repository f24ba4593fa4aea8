#pragma once

#include "db/ProtectionKeys.h"

#include <QString>
#include <optional>

// Protected ("sealed") database files: a file layer of SQLite, put over the
// file layer in use and made the default, that encrypts every page of a
// database and of its journal and temporary files with libsodium's
// authenticated encryption (XChaCha20-Poly1305).
//
// A sealed file begins with a header of one block (its own mark, never
// "SQLite format 3", the derivation's salt and cost, the file's salt and a
// check of the key), followed by the blocks of the database, each stored as
// nonce, ciphertext and tag. A file without the mark is passed to the layer
// below untouched, so unprotected files are read and written exactly as before.
//
// New files are sealed while ProtectionKeys has an active salt; a journal
// follows its database, whatever the active salt.
namespace SealedFileLayer
{

constexpr int blockSize = 4096;
constexpr int headerSize = blockSize;

// Puts the layer over the default file layer, once; later calls do nothing.
void install();

struct Header {
    ProtectionKeys::Cost cost;
    ProtectionKeys::Salt passwordSalt{};
    ProtectionKeys::Salt fileSalt{};
    QByteArray keyCheck;
};

// The header of a sealed file; none when the file is missing, empty or not sealed.
std::optional<Header> readHeader(const QString& filePath);
bool isSealed(const QString& filePath);

// True when `key` (the key under the file's password salt) is the file's.
bool keyOpens(const Header& header, const unsigned char* key);

// True when `password` opens the file; nothing is kept.
bool passwordOpens(const QString& filePath, const QByteArray& password);
// Derives the key of `password` for the file and keeps it when it opens the
// file. False for a wrong password (or a file that is not sealed); a key kept
// before for the file stays as it was.
bool unlock(const QString& filePath, const QByteArray& password);

} // namespace SealedFileLayer
