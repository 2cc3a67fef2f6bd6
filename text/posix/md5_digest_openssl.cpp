#include <openssl/evp.h>

#include <memory>

#include "text/md5_digest.h"

namespace vorbel {
namespace {

struct DigestContextFree {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using DigestContext = std::unique_ptr<EVP_MD_CTX, DigestContextFree>;

}  // namespace

std::optional<std::array<unsigned char, 16>> md5_digest(std::string_view bytes) {
    DigestContext context(EVP_MD_CTX_new());
    if (!context) return std::nullopt;
    if (EVP_DigestInit_ex(context.get(), EVP_md5(), nullptr) != 1) return std::nullopt;
    if (EVP_DigestUpdate(context.get(), bytes.data(), bytes.size()) != 1) return std::nullopt;
    std::array<unsigned char, 16> digest{};
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(context.get(), digest.data(), &length) != 1 || length != digest.size()) {
        return std::nullopt;
    }
    return digest;
}

}  // namespace vorbel
