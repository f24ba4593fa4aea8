#include "db/ProtectionKeys.h"

#include <QMutex>
#include <QMutexLocker>
#include <cstring>
#include <map>
#include <sodium.h>

namespace ProtectionKeys
{
namespace
{

// One derived key in sodium's guarded memory.
struct KeptKey {
    unsigned char* bytes = nullptr;
    Cost cost;
};

struct Ring {
    QMutex mutex;
    std::map<Salt, KeptKey> keys;
    std::optional<Salt> active;
};

Ring& ring()
{
    static Ring instance;
    return instance;
}

void ensureSodium()
{
    static const int ready = sodium_init();
    (void)ready;
}

unsigned char* slotFor(Ring& r, const Salt& salt, const Cost& cost)
{
    KeptKey& kept = r.keys[salt];
    if (!kept.bytes)
        kept.bytes = static_cast<unsigned char*>(sodium_malloc(keySize));
    kept.cost = cost;
    return kept.bytes;
}

} // namespace

Cost standardCost()
{
    return {crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE};
}

Salt newSalt()
{
    ensureSodium();
    Salt salt;
    randombytes_buf(salt.data(), salt.size());
    return salt;
}

bool deriveInto(const QByteArray& password, const Salt& salt, const Cost& cost, unsigned char* out)
{
    ensureSodium();
    return crypto_pwhash(out, keySize, password.constData(), password.size(), salt.data(), cost.operations,
                         cost.memoryBytes, crypto_pwhash_ALG_ARGON2ID13) == 0;
}

bool derive(const QByteArray& password, const Salt& salt, const Cost& cost)
{
    ensureSodium();
    unsigned char* derived = static_cast<unsigned char*>(sodium_malloc(keySize));
    if (!derived)
        return false;
    const bool done = deriveInto(password, salt, cost, derived);
    if (done)
        keep(salt, derived, cost);
    sodium_free(derived);
    return done;
}

void keep(const Salt& salt, const unsigned char* key, const Cost& cost)
{
    ensureSodium();
    Ring& r = ring();
    QMutexLocker lock(&r.mutex);
    std::memcpy(slotFor(r, salt, cost), key, keySize);
}

Cost costOf(const Salt& salt)
{
    Ring& r = ring();
    QMutexLocker lock(&r.mutex);
    const auto found = r.keys.find(salt);
    return found == r.keys.end() ? Cost{} : found->second.cost;
}

const unsigned char* key(const Salt& salt)
{
    Ring& r = ring();
    QMutexLocker lock(&r.mutex);
    const auto found = r.keys.find(salt);
    return found == r.keys.end() ? nullptr : found->second.bytes;
}

void forget(const Salt& salt)
{
    Ring& r = ring();
    QMutexLocker lock(&r.mutex);
    const auto found = r.keys.find(salt);
    if (found == r.keys.end())
        return;
    sodium_free(found->second.bytes);
    r.keys.erase(found);
    if (r.active == salt)
        r.active.reset();
}

void forgetAll()
{
    Ring& r = ring();
    QMutexLocker lock(&r.mutex);
    for (auto& [salt, kept] : r.keys)
        sodium_free(kept.bytes);
    r.keys.clear();
    r.active.reset();
}

std::optional<Salt> activeSalt()
{
    Ring& r = ring();
    QMutexLocker lock(&r.mutex);
    return r.active;
}

void setActiveSalt(const std::optional<Salt>& salt)
{
    Ring& r = ring();
    QMutexLocker lock(&r.mutex);
    r.active = salt;
}

void fileKey(const unsigned char* key, const Salt& fileSalt, unsigned char* out)
{
    static const char context[] = "Lumivaret file key";
    crypto_generichash_state state;
    crypto_generichash_init(&state, key, keySize, keySize);
    crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(context), sizeof context - 1);
    crypto_generichash_update(&state, fileSalt.data(), fileSalt.size());
    crypto_generichash_final(&state, out, keySize);
}

} // namespace ProtectionKeys
