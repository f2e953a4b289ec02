#include "core/records.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "core/codes.h"

namespace kelmod {

namespace {

std::string_view WithoutTrailingBlanks(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

}  // namespace

void ValueList::append(std::string_view text) {
  if (text.size() > std::numeric_limits<uint32_t>::max()) throw std::bad_alloc();
  if (packed_ && texts_.size() + text.size() > kMaxPackedBytes) unpack();
  // The value first, then its text: a text that cannot be stored takes the
  // value back, so that a failure leaves the list unchanged.
  const std::size_t offset = texts_.size();
  if (packed_) ends_.push_back(static_cast<uint32_t>(offset + text.size()));
  else entries_.push_back(Entry{static_cast<int32_t>(entries_.size() + 1),
                                static_cast<uint32_t>(text.size()), offset});
  try {
    texts_.append(text);
  } catch (const std::bad_alloc&) {
    if (packed_) ends_.pop_back();
    else entries_.pop_back();
    throw;
  }
}

void ValueList::unpack() {
  std::vector<Entry> entries;
  entries.reserve(ends_.capacity() > ends_.size() ? ends_.capacity() : ends_.size() + 1);
  std::size_t begin = 0;
  for (std::size_t i = 0; i < ends_.size(); ++i) {
    entries.push_back(Entry{static_cast<int32_t>(i + 1), static_cast<uint32_t>(ends_[i] - begin),
                            begin});
    begin = ends_[i];
  }
  entries_ = std::move(entries);
  std::vector<uint32_t>().swap(ends_);
  packed_ = false;
}

void ValueList::replace(std::size_t i, int32_t number, std::string_view text) {
  if (packed_) unpack();
  Entry& e = entries_[i];
  if (text.size() <= e.length) {
    // The new text fits where the old one stood.
    texts_.replace(e.offset, text.size(), text);
    unused_ += e.length - text.size();
  } else {
    if (text.size() > std::numeric_limits<uint32_t>::max()) throw std::bad_alloc();
    const std::size_t offset = texts_.size();
    texts_.append(text);
    unused_ += e.length;
    e.offset = offset;
  }
  e.length = static_cast<uint32_t>(text.size());
  e.number = number;
  // Texts replaced over and over must not make the block grow without end.
  if (unused_ > 4096 && unused_ > texts_.size() / 2) compact();
}

void ValueList::compact() {
  std::string live;
  try {
    live.reserve(texts_.size() - unused_);
  } catch (const std::bad_alloc&) {
    return;  // the block keeps the replaced texts until a later change compacts it
  }
  for (Entry& e : entries_) {
    const std::size_t offset = live.size();
    live.append(texts_, e.offset, e.length);
    e.offset = offset;
  }
  texts_ = std::move(live);
  unused_ = 0;
}

void ValueList::erase(std::size_t i) {
  if (packed_) unpack();
  unused_ += entries_[i].length;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
  if (entries_.empty()) clear();
  else if (unused_ > 4096 && unused_ > texts_.size() / 2) compact();
}

void ValueList::clear() {
  // Back to the packed form; the general form's entries are given back.
  std::vector<Entry>().swap(entries_);
  ends_.clear();
  texts_.clear();
  unused_ = 0;
  packed_ = true;
}

void ValueList::truncate(std::size_t values, std::size_t textBytes) noexcept {
  if (packed_) ends_.resize(values);
  else entries_.resize(values);
  texts_.resize(textBytes);
}

void ValueList::reserve(std::size_t values, std::size_t textBytes) {
  if (packed_) ends_.reserve(values);
  else entries_.reserve(values);
  if (textBytes > texts_.capacity()) texts_.reserve(textBytes);
}

void FlatRecords::pushGrowing(std::string_view text) {
  // The end first, then the room for the text: a text that cannot be stored
  // takes the end back, so that a failure leaves the table unchanged.
  ends_.push_back(static_cast<uint32_t>(used_ + text.size()));
  if (text.size() > room_ - used_) {
    try {
      regrow(std::max(used_ + text.size(), 2 * room_));
    } catch (const std::bad_alloc&) {
      ends_.pop_back();
      throw;
    }
  }
  if (!text.empty()) std::memcpy(texts_.get() + used_, text.data(), text.size());
  used_ += text.size();
}

void FlatRecords::copyText(char* dst, std::string_view text) {
  std::memcpy(dst, text.data(), text.size());
}

void FlatRecords::regrow(std::size_t room) {
  auto block = std::make_unique_for_overwrite<char[]>(room);
  if (used_ > 0) std::memcpy(block.get(), texts_.get(), used_);
  texts_ = std::move(block);
  room_ = room;
}

void FlatRecords::dropIncomplete() noexcept {
  const std::size_t values = size() * width_;
  ends_.resize(values);
  used_ = values == 0 ? 0 : ends_[values - 1];
}

void PutValue(ValueList& values, std::string_view text, int32_t position) {
  text = WithoutTrailingBlanks(text);
  if (position <= 0) {
    values.appendNext(text);  // numbered one past the count
    return;
  }
  const std::size_t count = values.size();
  if (position >= 1 && static_cast<std::size_t>(position) <= count) {
    values.replace(static_cast<std::size_t>(position) - 1, position, text);
    return;
  }
  // Empty values fill the gap up to position-1; a position no table could
  // need is refused as exhausted memory before anything changes.
  if (position > 0 && static_cast<std::size_t>(position) > count + 1) {
    if (static_cast<std::size_t>(position) - count > kMaxValueGap) throw std::bad_alloc();
    values.reserve(static_cast<std::size_t>(position), 0);
  }
  // A failure takes the empty values back too: the list stays as it was.
  const std::size_t bytes = values.blockBytes();
  try {
    for (std::size_t n = count + 1; position > 0 && n < static_cast<std::size_t>(position); ++n)
      values.appendNext({});
    values.appendNext(text);
  } catch (const std::bad_alloc&) {
    values.truncate(count, bytes);
    throw;
  }
}

int32_t ValueAt(std::string& out, std::size_t capacity, const ValueList& values, int32_t n) {
  out.clear();
  if (values.empty()) return code::kListMissing;
  if (n < 1 || static_cast<std::size_t>(n) > values.size()) return code::kListBeyondEnd;
  const std::string_view text = values.text(static_cast<std::size_t>(n) - 1);
  const std::string_view kept = text.substr(0, capacity > 0 ? capacity - 1 : 0);
  out.append(kept.data(), kept.size());  // out is empty: its memory is reused
  return code::kOk;
}

int32_t RecordCount(const FieldList& list) {
  for (const FieldDefinition& field : list)
    if (!field.values.empty()) return static_cast<int32_t>(field.values.size());
  return 0;
}

void ReplaceFields(FieldList& list, FieldList fields) {
  const std::size_t reuse = std::min(list.size(), fields.size());
  for (std::size_t i = 0; i < reuse; ++i) {
    list[i].values.clear();
    fields[i].values = std::move(list[i].values);
  }
  list = std::move(fields);
}

}  // namespace kelmod
