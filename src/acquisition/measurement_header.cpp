#include "acquisition/measurement_header.h"

#include "acquisition/byte_fields.h"

#include <cstring>

namespace korvanta::acquisition {
namespace {
constexpr char kTag[] = "P8";
constexpr char kSystemName[] = "ZARO system ORBIS ";
static_assert(sizeof kSystemName == 19);
} // namespace

MojPliNaglowkowyPomiarow::MojPliNaglowkowyPomiarow(std::array<unsigned char, kSize>& storage)
    : m_bytes(storage.data()) {
    std::memcpy(m_bytes + kFormatTagOffset, kTag, sizeof kTag);
    std::memcpy(m_bytes + kSystemNameOffset, kSystemName, sizeof kSystemName);
    setFirstDate(0);
    setSecondDate(0);
}

const char* MojPliNaglowkowyPomiarow::formatTag() const {
    return reinterpret_cast<const char*>(m_bytes + kFormatTagOffset);
}
const char* MojPliNaglowkowyPomiarow::systemName() const {
    return reinterpret_cast<const char*>(m_bytes + kSystemNameOffset);
}
double MojPliNaglowkowyPomiarow::firstDate() const {
    return readField<double>(m_bytes, kFirstDateOffset);
}
double MojPliNaglowkowyPomiarow::secondDate() const {
    return readField<double>(m_bytes, kSecondDateOffset);
}
void MojPliNaglowkowyPomiarow::setFirstDate(double v) {
    writeField(m_bytes, kFirstDateOffset, v);
}
void MojPliNaglowkowyPomiarow::setSecondDate(double v) {
    writeField(m_bytes, kSecondDateOffset, v);
}

} // namespace korvanta::acquisition
