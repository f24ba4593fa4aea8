#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>
#include <optional>

// The keys of protected database files, held for the life of the process in
// memory that is locked against swapping and wiped when freed. A key is
// derived from the parish's password by Argon2id under a salt that every file
// protected with that password carries; each file then derives its own key
// from it and a salt of its own. The password itself is never kept.
namespace ProtectionKeys
{

constexpr int saltSize = 16;
constexpr int keySize = 32;
using Salt = std::array<unsigned char, saltSize>;

// How hard the derivation works; kept in each file so that it can be raised later.
struct Cost {
    std::uint64_t operations = 0;
    std::uint64_t memoryBytes = 0;
};
// The cost of new keys: about a tenth of a second and 64 MiB.
Cost standardCost();

Salt newSalt();

// Derives the key of `password` under `salt` into `out` (keySize bytes).
// False when the machine lacks the memory to derive it.
bool deriveInto(const QByteArray& password, const Salt& salt, const Cost& cost, unsigned char* out);
// Derives the key of `password` under `salt` and keeps it (replacing one kept
// for that salt).
bool derive(const QByteArray& password, const Salt& salt, const Cost& cost);
// Keeps an already derived key under `salt` (a key recovered from an interrupted re-keying).
void keep(const Salt& salt, const unsigned char* key, const Cost& cost);
// The key kept for `salt`; nullptr when none is.
const unsigned char* key(const Salt& salt);
// The cost the key kept for `salt` was derived with (written into new files' headers).
Cost costOf(const Salt& salt);
void forget(const Salt& salt);
void forgetAll();

// The salt under which new files are protected; none while protection is off.
std::optional<Salt> activeSalt();
void setActiveSalt(const std::optional<Salt>& salt);

// The key of one file: derived from the key under its password's salt and the file's own salt.
void fileKey(const unsigned char* key, const Salt& fileSalt, unsigned char* out);

} // namespace ProtectionKeys
