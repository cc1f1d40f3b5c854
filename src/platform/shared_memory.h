#pragma once
// A view of an existing named POSIX shared-memory object, never larger than the object.

#include <QString>
#include <cstddef>

namespace korvanta::platform {

class SharedMemoryView {
public:
    SharedMemoryView() = default;
    ~SharedMemoryView();
    SharedMemoryView(SharedMemoryView&& other) noexcept;
    SharedMemoryView& operator=(SharedMemoryView&& other) noexcept;
    SharedMemoryView(const SharedMemoryView&) = delete;
    SharedMemoryView& operator=(const SharedMemoryView&) = delete;

    // Opens the existing object `name` ("/Ustawienia", …, the prefix from KORVANTA_SHM_PREFIX
    // added) read-write and maps at most `wantedBytes` of it, and never more than the object
    // holds. An invalid view when the object is missing, empty or cannot be mapped.
    static SharedMemoryView openExisting(const QString& name, std::size_t wantedBytes);

    // The full name of a block: "/" + the KORVANTA_SHM_PREFIX value + name.
    static QString fullName(const QString& name);

    // True while `name` still names the object this view maps. A restarted acquisition program
    // creates a new object under the old name; the old one lives on only in our mapping.
    bool isCurrentObject(const QString& name) const;

    bool isValid() const { return m_data != nullptr; }
    unsigned char* data() const { return m_data; }
    std::size_t size() const { return m_size; }

private:
    void release();

    unsigned char* m_data = nullptr;
    std::size_t m_size = 0;
    unsigned long long m_device = 0;
    unsigned long long m_inode = 0;
};

} // namespace korvanta::platform
