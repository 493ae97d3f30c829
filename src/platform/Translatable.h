#pragma once
// ITranslatable marks an object that the translation walk enters when a component's property
// points to it (an axis's settings, which hold caption keys). Fonts, pens and controls reached
// through properties are not translatable and are not visited.

class ITranslatable {
public:
    virtual ~ITranslatable() = default;

protected:
    ITranslatable() = default;
    ITranslatable(const ITranslatable&) = default;
    ITranslatable& operator=(const ITranslatable&) = default;
};
