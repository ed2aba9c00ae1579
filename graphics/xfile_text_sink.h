#pragma once
// Prints an X file in the text encoding ("xof 0302txt 0032"). Floats are written in their
// shortest form that reads back to the same value.
#include "graphics/xfile_sink.h"

class XTextSink final : public XSink {
public:
    // expectedNumbers: about how many numbers will be written, to size the buffer once.
    explicit XTextSink(size_t expectedNumbers);
    void templates(const char* text) override;
    void open(std::string_view type) override;
    void close() override;
    void integer(uint32_t value) override;
    void real(float value) override;
    void string(std::string_view value) override;
    void separator(char c) override;
    void endLine() override;
    std::vector<uint8_t> take() override { return std::move(bytes_); }

private:
    void append(std::string_view text);
    void indentIfLineStart();

    std::vector<uint8_t> bytes_;
    int depth_ = 0;
    bool lineStart_ = true;
};
