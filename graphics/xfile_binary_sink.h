#pragma once
// Packs an X file in the binary encoding ("xof 0302bin 0032"): consecutive integers become one
// integer list, consecutive floats one float list (32-bit), as the common readers expect.
#include "graphics/xfile_sink.h"

class XBinarySink final : public XSink {
public:
    // expectedNumbers: about how many numbers will be written, to size the buffer once.
    explicit XBinarySink(size_t expectedNumbers);
    void templates(const char* text) override;
    void open(std::string_view type) override;
    void close() override;
    void integer(uint32_t value) override;
    void real(float value) override;
    void string(std::string_view value) override;
    void separator(char) override {}
    void endLine() override {}
    std::vector<uint8_t> take() override;

private:
    enum class List { None, Integers, Floats };
    void startList(List kind);
    void flush();
    void word(uint16_t value);
    void dword(uint32_t value);
    void counted(uint16_t token, std::string_view text);
    void guid(std::string_view text);

    std::vector<uint8_t> bytes_;
    List list_ = List::None;
    size_t listCountAt_ = 0;   // where the open list's element count goes
    uint32_t listCount_ = 0;
};
