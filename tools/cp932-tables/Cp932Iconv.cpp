// glibc's cp932 <-> UTF-8 converter through iconv.
#include "tools/cp932-tables/Cp932Iconv.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace tenvoll::cp932gen {

namespace {

class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv_open (CP932, UTF-8) failed");
    }
    ~IconvHandle() { iconv_close(handle_); }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    iconv_t get() const { return handle_; }

private:
    iconv_t handle_;
};

Conversion convert(bool intoUtf8, std::string_view input) {
    thread_local IconvHandle toUtf8("UTF-8", "CP932");
    thread_local IconvHandle toCp932("CP932", "UTF-8");
    iconv_t cd = intoUtf8 ? toUtf8.get() : toCp932.get();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);

    Conversion result;
    result.output.resize(input.size() * 3 / 2 + 16);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t produced = 0;
    while (inLeft > 0) {
        char* out = result.output.data() + produced;
        std::size_t outLeft = result.output.size() - produced;
        std::size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        produced = result.output.size() - outLeft;
        if (rc != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG) {
            result.output.resize(result.output.size() * 2);
            continue;
        }
        result.ok = false; // EILSEQ or EINVAL (truncated sequence at the end)
        result.failedAt = input.size() - inLeft;
        break;
    }
    result.output.resize(produced);
    return result;
}

} // namespace

Conversion iconvToUtf8(std::string_view input) {
    return convert(true, input);
}
Conversion iconvToCp932(std::string_view input) {
    return convert(false, input);
}

} // namespace tenvoll::cp932gen
