#pragma once
// The 17344-byte measurement header: a control-block image, the format tag, the system name and
// two date-times.

#include <array>
#include <cstddef>

namespace korvanta::acquisition {

class MojPliNaglowkowyPomiarow {
public:
    static constexpr std::size_t kSize = 17344;
    static constexpr std::size_t kBlockOffset = 0;
    static constexpr std::size_t kFormatTagOffset = 3544;
    static constexpr std::size_t kSystemNameOffset = 3548;
    static constexpr std::size_t kFirstDateOffset = 4552;
    static constexpr std::size_t kSecondDateOffset = 4560;

    // Sets the tag "P8", the name "ZARO system ORBIS " and both date-times to 0; every other byte
    // is left as the storage held it.
    explicit MojPliNaglowkowyPomiarow(std::array<unsigned char, kSize>& storage);

    unsigned char* controlBlockImage() const { return m_bytes + kBlockOffset; }
    const char* formatTag() const;
    const char* systemName() const;
    double firstDate() const;
    double secondDate() const;
    void setFirstDate(double value);
    void setSecondDate(double value);

private:
    unsigned char* m_bytes;
};

} // namespace korvanta::acquisition
