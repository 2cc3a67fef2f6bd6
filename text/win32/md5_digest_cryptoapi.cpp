#include <windows.h>
#include <wincrypt.h>


#include "text/md5_digest.h"

namespace vorbel {
namespace {

class CryptoProvider {
public:
    CryptoProvider() {
        // A verify-only context needs no key container: nothing is stored or
        // read from the user's profile, and it works for any account.
        if (!CryptAcquireContextA(&handle_, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) handle_ = 0;
    }
    ~CryptoProvider() {
        if (handle_) CryptReleaseContext(handle_, 0);
    }
    CryptoProvider(const CryptoProvider&) = delete;
    CryptoProvider& operator=(const CryptoProvider&) = delete;
    HCRYPTPROV get() const { return handle_; }

private:
    HCRYPTPROV handle_ = 0;
};

class CryptoHash {
public:
    CryptoHash(HCRYPTPROV provider, ALG_ID algorithm) {
        if (!CryptCreateHash(provider, algorithm, 0, 0, &handle_)) handle_ = 0;
    }
    ~CryptoHash() {
        if (handle_) CryptDestroyHash(handle_);
    }
    CryptoHash(const CryptoHash&) = delete;
    CryptoHash& operator=(const CryptoHash&) = delete;
    HCRYPTHASH get() const { return handle_; }

private:
    HCRYPTHASH handle_ = 0;
};

}  // namespace

std::optional<std::array<unsigned char, 16>> md5_digest(std::string_view bytes) {
    CryptoProvider provider;
    if (!provider.get()) return std::nullopt;
    CryptoHash hash(provider.get(), CALG_MD5);
    if (!hash.get()) return std::nullopt;
    // CryptHashData takes a DWORD length: feed long inputs in pieces.
    const auto* data = reinterpret_cast<const BYTE*>(bytes.data());
    std::size_t left = bytes.size();
    do {
        DWORD piece = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        if (!CryptHashData(hash.get(), data, piece, 0)) return std::nullopt;
        data += piece;
        left -= piece;
    } while (left > 0);
    std::array<unsigned char, 16> digest{};
    DWORD length = static_cast<DWORD>(digest.size());
    if (!CryptGetHashParam(hash.get(), HP_HASHVAL, digest.data(), &length, 0) || length != digest.size()) {
        return std::nullopt;
    }
    return digest;
}

}  // namespace vorbel
