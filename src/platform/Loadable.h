#pragma once
// The "loaded" step: a window builds its layout, sets every component's stored properties,
// then tells each component in ownership order that its layout is complete. Set-up that
// depends on properties runs here, never in a constructor.

class ILoadable {
public:
    virtual ~ILoadable() = default;
    virtual void Loaded() = 0;

protected:
    ILoadable() = default;
    ILoadable(const ILoadable&) = default;
    ILoadable& operator=(const ILoadable&) = default;
};
