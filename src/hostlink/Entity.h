#pragma once
// TEntity, the record that describes one program window taking part in the host link: its
// message window, its single-instance lock, its executable and its title. Plain C++; texts
// are 8-bit (cp1252) as they travel.

#include <cstdint>
#include <memory>
#include <string>

class TEntity;
class TTavimorMessageStream;

// What an entity asks of the host-link component it belongs to.
class ITavimorDemon {
public:
    virtual ~ITavimorDemon() = default;
    // The entity the host knows for a message window, or null.
    virtual std::unique_ptr<TEntity> FindEntityByHandle(std::int32_t window) = 0;
    // Whether a message window of that handle exists now.
    virtual bool IsWindowAlive(std::int32_t window) const = 0;

protected:
    ITavimorDemon() = default;
    ITavimorDemon(const ITavimorDemon&) = default;
    ITavimorDemon& operator=(const ITavimorDemon&) = default;
};

class TEntity {
public:
    explicit TEntity(ITavimorDemon* demon = nullptr) : demon(demon) {}

    std::int32_t Window = 0;
    std::int32_t LockHandle = 0;

    // Stored texts; the getters fill empty ones from the host on first use.
    const std::string& StoredFileName() const { return fileName; }
    const std::string& StoredTitle() const { return title; }
    void SetFileName(std::string value) { fileName = std::move(value); }
    void SetTitle(std::string value) { title = std::move(value); }
    // When the stored value is empty, asks the demon for the entity of Window first.
    const std::string& FileName();
    const std::string& Title();

    ITavimorDemon* Demon() const { return demon; }
    void SetDemon(ITavimorDemon* value) { demon = value; }

    // Window, LockHandle, FileName, Title: int32, int32, string, string.
    void WriteTo(TTavimorMessageStream& stream);
    // Throws ETavimor when the stream ends inside the record.
    void ReadFrom(TTavimorMessageStream& stream);
    // Copies the four data fields; nothing for a null source.
    void Assign(const TEntity* other);
    bool IsAlive() const;
    // "TV_" and the file-name part of FileName (after the last "\", ":" or "/").
    std::string LockName();

private:
    void lookUp();

    ITavimorDemon* demon;
    std::string fileName;
    std::string title;
};
