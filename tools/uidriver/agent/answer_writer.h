#pragma once
// Fills the answer area after a request block. It keeps counting past the capacity, so a too
// small area still tells the driver how much to allocate on its second try.
#include <cstdint>
#include <cstring>

namespace morv::uidriver::agent {

class AnswerWriter {
 public:
  AnswerWriter(char* area, uint32_t capacity) : area_(area), capacity_(capacity) {}

  void append(const void* data, uint32_t size) {
    if (size_ + size <= capacity_) std::memcpy(area_ + size_, data, size);
    size_ += size;
  }
  template <typename T>
  void append(const T& value) {
    append(&value, sizeof(T));
  }

  uint32_t size() const { return size_; }
  bool fits() const { return size_ <= capacity_; }

 private:
  char* area_;
  uint32_t capacity_;
  uint32_t size_ = 0;
};

}  // namespace morv::uidriver::agent
