#pragma once
// The acquisition program's 3544-byte control block ("Ustawienia"), read and written in place.

#include <QString>
#include <cstddef>
#include <cstdint>

namespace korvanta::acquisition {

class ControlBlock {
public:
    static constexpr std::size_t kSize = 3544;
    static constexpr std::size_t kCommandSize = 60;
    static constexpr int kAuxValueCount = 64;

    struct Offsets {
        static constexpr std::size_t channelCount = 0;
        static constexpr std::size_t recordCount = 8;
        static constexpr std::size_t currentIndex = 116;
        static constexpr std::size_t reportNumber = 120;
        static constexpr std::size_t addressFlag = 134;
        static constexpr std::size_t acquisitionActive = 136;
        static constexpr std::size_t closeRequest = 140;
        static constexpr std::size_t samplePeriod = 400;
        static constexpr std::size_t auxValues = 2640;
        static constexpr std::size_t auxCount = 2896;
        static constexpr std::size_t systemAddress = 2924;
        static constexpr std::size_t maxForce = 3056;
        static constexpr std::size_t maxDisplacement = 3060;
        static constexpr std::size_t commandText = 3064;
        static constexpr std::size_t commandText2 = 3124;
        static constexpr std::size_t commandText3 = 3184;
        static constexpr std::size_t forceChannel = 3244;
        static constexpr std::size_t displacementChannel = 3248;
    };

    // `bytes` must hold kSize bytes for as long as this view is used.
    explicit ControlBlock(unsigned char* bytes) : m_bytes(bytes) {}

    unsigned char* bytes() const { return m_bytes; }

    // Raw fields exactly as the acquisition program wrote them.
    std::int32_t channelCount() const;
    std::int32_t recordCount() const;
    std::int32_t currentIndex() const;
    std::int32_t reportNumber() const;
    std::uint8_t addressFlag() const;
    std::uint8_t acquisitionActive() const;
    std::uint8_t closeRequest() const;
    double samplePeriod() const;
    float auxValue(int index) const; // index 0..63; 0 outside
    std::int32_t auxCount() const;
    char systemAddress() const;
    float maxForce() const;
    float maxDisplacement() const;
    QString commandText() const;
    QString commandText2() const;
    QString commandText3() const;
    std::int32_t forceChannel() const;
    std::int32_t displacementChannel() const;

    // The fields this program writes.
    void setChannelCount(std::int32_t value);
    void setRecordCount(std::int32_t value);
    void setCurrentIndex(std::int32_t value);
    void setReportNumber(std::int32_t value);
    void setAddressFlag(std::uint8_t value);
    void setAcquisitionActive(std::uint8_t value);
    void setCloseRequest(std::uint8_t value);
    void setSamplePeriod(double value);
    void setAuxValue(int index, float value);
    void setAuxCount(std::int32_t value);
    void setSystemAddress(char value);
    void setMaxForce(float value);
    void setMaxDisplacement(float value);
    void setCommandText(const QString& text);  // at most 59 characters and the NUL
    void setCommandText2(const QString& text); // likewise
    void setCommandText3(const QString& text); // likewise
    void setForceChannel(std::int32_t value);
    void setDisplacementChannel(std::int32_t value);

    // Sanitised readings: what a value outside its range reads as, decided here once.
    int safeChannelCount() const; // channelCount outside 0..64 reads as 0
    int safeAuxCount() const;     // auxCount outside 0..63 reads as -1 (no valid value)

    // Asks the acquisition program to end: acquisitionActive = 0, then closeRequest = 1.
    void requestEnd();

    // "##0.00" + "Hz" of 1 / (samplePeriod × 86400), or "---.--" when samplePeriod is 0.
    QString frequencyText() const;
    // The sampling frequency in Hz; 0 when samplePeriod is 0.
    double frequencyHz() const;

private:
    unsigned char* m_bytes;
};

} // namespace korvanta::acquisition
