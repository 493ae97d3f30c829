#include "hostlink/Entity.h"

#include "hostlink/MessageStream.h"

#include <algorithm>

void TEntity::lookUp() {
    if (demon == nullptr || Window == 0) {
        return;
    }
    if (const std::unique_ptr<TEntity> found = demon->FindEntityByHandle(Window)) {
        Assign(found.get());
    }
}

const std::string& TEntity::FileName() {
    if (fileName.empty()) {
        lookUp();
    }
    return fileName;
}

const std::string& TEntity::Title() {
    if (title.empty()) {
        lookUp();
    }
    return title;
}

void TEntity::WriteTo(TTavimorMessageStream& stream) {
    stream.WriteInt32(Window);
    stream.WriteInt32(LockHandle);
    stream.WriteString(FileName());
    stream.WriteString(Title());
}

void TEntity::ReadFrom(TTavimorMessageStream& stream) {
    // Read into locals first, so that a truncated record leaves this entity as it was.
    const std::int32_t window = stream.ReadInt32();
    const std::int32_t lock = stream.ReadInt32();
    std::string file = stream.ReadString();
    std::string name = stream.ReadString();
    Window = window;
    LockHandle = lock;
    fileName = std::move(file);
    title = std::move(name);
}

void TEntity::Assign(const TEntity* other) {
    if (other == nullptr || other == this) {
        return;
    }
    Window = other->Window;
    LockHandle = other->LockHandle;
    fileName = other->fileName;
    title = other->title;
}

bool TEntity::IsAlive() const {
    return Window != 0 && demon != nullptr && demon->IsWindowAlive(Window);
}

std::string TEntity::LockName() {
    const std::string& path = FileName();
    const std::size_t cut = path.find_last_of("\\:/");
    std::string name = "TV_" + (cut == std::string::npos ? path : path.substr(cut + 1));
    std::replace(name.begin(), name.end(), '\\', '_');
    return name;
}
