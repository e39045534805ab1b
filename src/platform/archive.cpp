#include "platform/archive.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <type_traits>

#include "platform/windows1252.h"

namespace {

// The reference tags of the format.
constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kBigIndexTag = 0x7FFF;  // followed by a u32 index
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint32_t kMaxShortIndex = 0x7FFE;

// String length prefixes.
constexpr std::uint8_t kByteLengthEscape = 0xFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kWordLengthEscape = 0xFFFF;

constexpr std::size_t kMaxClassNameLength = 63;

// A name from the file, with bytes that would garble a message escaped.
std::string Printable(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
      out.push_back(static_cast<char>(c));
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    }
  }
  return "\"" + out + "\"";
}

const CArchiveLink& Link(const void* info) {
  return *static_cast<const CArchiveLink*>(info);
}

// A slot is an object's address with its class as a number of the archive's
// in the low bits (0 when it has none), so that checking a back reference
// need not visit the object; or, tagged kClassRecordTag, the position of a
// class record among those read.
constexpr std::uintptr_t kTagMask = 7;
constexpr std::uintptr_t kClassRecordTag = kTagMask;
constexpr int kTagBits = 3;
static_assert(alignof(CObject) > kTagMask);
// Integer and coded fields are read and written as `int`.
static_assert(std::is_same_v<std::int32_t, int>);

bool IsClassRecord(std::uintptr_t slot) {
  return (slot & kTagMask) == kClassRecordTag;
}
CObject* SlotObject(std::uintptr_t slot) {
  return (slot & kTagMask) == kClassRecordTag ? nullptr
                                              : reinterpret_cast<CObject*>(slot & ~kTagMask);
}

}  // namespace

CArchive::CArchive(std::vector<std::uint8_t>& out) : m_bStoring(true), m_writer(out), m_reader({}) {
  static std::uint32_t s_nStoreRuns = 0;
  // 0 marks objects never stored; skipping it keeps that true after a wrap.
  if (++s_nStoreRuns == 0) ++s_nStoreRuns;
  m_nStoreRun = s_nStoreRuns;
}

CArchive::CArchive(std::span<const std::uint8_t> in)
    : m_bStoring(false), m_writer(m_noOutput), m_reader(in), m_nReserveLeft(in.size() / 2) {
  m_slots.push_back(0);
}

CArchive::CArchive(ByteSource& source, std::size_t size, std::size_t window)
    : m_bStoring(false),
      m_writer(m_noOutput),
      m_reader(source, size, window),
      m_nReserveLeft(size / 2) {
  m_slots.push_back(0);
}

void CArchive::Int32(std::int32_t& value) {
  Describe(FieldKind::kInt32, &value, nullptr);
}

void CArchive::Code(int& value, const CArchiveCodec& codec) {
  Describe(FieldKind::kCode, &value, &codec);
}

void CArchive::String(std::string& text) {
  Describe(FieldKind::kString, &text, nullptr);
}

// Fields are kept as offsets from the object; a Serialize describing anything
// but its own members, or more than a frame can count, is a programming error.
void CArchive::Describe(FieldKind kind, void* target, const void* info) {
  const auto offset =
      static_cast<const char*>(target) - reinterpret_cast<const char*>(m_pDescribed);
  if (!m_pDescription || offset < 0 || offset > UINT32_MAX || m_pDescription->size() == UINT8_MAX) {
    throw std::logic_error("a Serialize described a field outside its object");
  }
  const bool link = kind == FieldKind::kObject || kind == FieldKind::kList;
  m_pDescription->push_back({kind, 0, 0, static_cast<std::uint32_t>(offset), info,
                             link ? Link(info).expected() : nullptr});
}

std::uint16_t CArchive::LayoutIndex(const CObject& object) {
  const CRuntimeClass* cls = object.GetRuntimeClass();
  for (std::size_t i = 0; i < m_layouts.size(); ++i) {
    if (m_layouts[i].cls == cls) return static_cast<std::uint16_t>(i);
  }
  if (m_layouts.size() == UINT16_MAX) throw std::logic_error("too many classes in one archive");
  Layout layout{cls, {}};
  m_pDescribed = &object;
  m_pDescription = &layout.fields;
  // Serialize only describes; the object is not changed.
  const_cast<CObject&>(object).Serialize(*this);
  m_pDescription = nullptr;
  std::uint8_t run = 0;
  for (auto field = layout.fields.rbegin(); field != layout.fields.rend(); ++field) {
    const bool scalar = field->kind == FieldKind::kInt32 || field->kind == FieldKind::kCode;
    run = scalar ? static_cast<std::uint8_t>(run + 1) : 0;
    field->scalars = run;
  }
  m_layouts.push_back(std::move(layout));
  return static_cast<std::uint16_t>(m_layouts.size() - 1);
}

const CArchive::Layout& CArchive::LayoutOf(const CObject& object) {
  return m_layouts[LayoutIndex(object)];
}

void CArchive::SerializeRoot(CObject& root) {
  try {
    Push(root, LayoutIndex(root));
    Run();
  } catch (...) {
    if (!m_bStoring) DiscardObjects(root);
    throw;
  }
}

void CArchive::Push(CObject& object, std::uint16_t layout) {
  m_frames.push_back({&object, 0, layout, 0, false});
}

// Depth-first over the graph with an explicit stack: a new object's fields are
// pushed and processed before the rest of its referrer's. A frame's fields are
// processed in one go until one of them meets a new object.
void CArchive::Run() {
  while (!m_frames.empty()) {
    Frame& frame = m_frames.back();
    // A new class's layout may move the list of layouts, but never the fields.
    Field* const fields = m_layouts[frame.layout].fields.data();
    const std::size_t count = m_layouts[frame.layout].fields.size();
    char* const object = reinterpret_cast<char*>(frame.object);
    std::size_t next = frame.next;
    CObject* fresh = nullptr;
    while (!fresh && next < count) {
      Field& field = fields[next];
      void* target = object + field.offset;
      switch (field.kind) {
        case FieldKind::kInt32:
        case FieldKind::kCode:
          Scalars(&field, object);
          next += field.scalars;
          break;
        case FieldKind::kString: {
          auto& text = *static_cast<std::string*>(target);
          if (m_bStoring) {
            StoreString(text);
          } else {
            text = LoadString();
          }
          ++next;
          break;
        }
        case FieldKind::kObject:
          ++next;
          fresh = Reference(field, target, 0);
          break;
        case FieldKind::kList:
          fresh = StepList(frame, field, target);
          if (!fresh) ++next;
          break;
      }
    }
    if (fresh) {
      frame.next = static_cast<std::uint8_t>(next);
      // `frame` is not used after this.
      Push(*fresh, m_bStoring ? LayoutIndex(*fresh) : m_nFreshLayout);
    } else {
      m_frames.pop_back();
    }
  }
}

void CArchive::Scalars(const Field* field, char* object) {
  const Field* const end = field + field->scalars;
  if (m_bStoring) {
    std::uint8_t* at = m_writer.Grow(4 * std::size_t{field->scalars});
    for (; field != end; ++field, at += 4) {
      const int value = *reinterpret_cast<const int*>(object + field->offset);
      const auto* codec = static_cast<const CArchiveCodec*>(field->info);
      StoreU32(at, static_cast<std::uint32_t>(codec ? codec->toFile(value) : value));
    }
    return;
  }
  const std::size_t bytes = 4 * std::size_t{field->scalars};
  if (m_reader.Remaining() < bytes) {
    // The file ends inside the run: read field by field, so that the error
    // names the field it ends in.
    for (;;) m_reader.U32();
  }
  const std::uint8_t* at = m_reader.Take(bytes);
  for (; field != end; ++field, at += 4) {
    const auto value = static_cast<std::int32_t>(LoadU32(at));
    const auto* codec = static_cast<const CArchiveCodec*>(field->info);
    *reinterpret_cast<int*>(object + field->offset) = codec ? codec->fromFile(value) : value;
  }
}

// Processes list entries until one needs its body written or read first; the
// frame then resumes at the next entry.
CObject* CArchive::StepList(Frame& frame, Field& field, void* target) {
  if (!frame.inList) {
    frame.left = BeginList(field, target);
    frame.inList = true;
  }
  // Only storing needs the entry's position; the list's size is its count.
  const std::size_t count = m_bStoring ? Link(field.info).count(target) : 0;
  while (frame.left != 0) {
    const std::size_t index = count - frame.left--;
    if (CObject* fresh = Reference(field, target, index)) return fresh;
  }
  frame.inList = false;
  return nullptr;
}

std::uint32_t CArchive::BeginList(const Field& field, void* target) {
  const CArchiveLink& link = Link(field.info);
  if (m_bStoring) {
    const auto count = static_cast<std::uint32_t>(link.count(target));
    m_writer.U32(count);
    return count;
  }
  const std::size_t at = m_reader.Offset();
  const std::uint32_t count = m_reader.U32();
  // Every reference takes at least two bytes: refuse a count the rest of the
  // file cannot hold before reserving room for it.
  if (std::uint64_t{count} * 2 > m_reader.Remaining()) {
    throw CArchiveException("a count of " + std::to_string(count) +
                                " references is more than the " + ByteCount(m_reader.Remaining()) +
                                " left can hold",
                            at);
  }
  // Nested lists may each claim most of the bytes after them; reserving in
  // full for every one would grow with the square of the file. The whole file
  // holds at most one reference per two bytes, so that bounds all reserves
  // together; a list that really is longer simply grows as it is read.
  const std::size_t reserved = std::min<std::size_t>(count, m_nReserveLeft);
  m_nReserveLeft -= reserved;
  link.reserve(target, reserved);
  return count;
}

CObject* CArchive::Reference(Field& field, void* target, std::size_t index) {
  const CArchiveLink& link = Link(field.info);
  if (m_bStoring) return StoreReference(link.get(target, index));
  bool fresh = false;
  CObject* object = LoadReference(field, fresh);
  link.put(target, object);
  return fresh ? object : nullptr;
}

void CArchive::ExpectEnd() {
  if (m_reader.Remaining() != 0) {
    throw CArchiveException(ByteCount(m_reader.Remaining()) + " after the end of the document",
                            m_reader.Offset());
  }
  m_reader.ExpectSourceEnd();
}

void CArchive::DiscardObjects(CObject& root) {
  m_frames.clear();
  ReleaseLinks(root);
  for (std::size_t i = 0; i < m_slots.size(); ++i) {
    if (CObject* object = SlotObject(m_slots[i])) ReleaseLinks(*object);
  }
  for (std::size_t i = 0; i < m_slots.size(); ++i) {
    delete SlotObject(m_slots[i]);
    m_slots[i] = 0;
  }
  m_createdCount = 0;
}

// Every owning and non-owning link forgets its objects, so that the
// destructors of half-built objects touch nothing.
void CArchive::ReleaseLinks(CObject& object) {
  for (const Field& field : LayoutOf(object).fields) {
    if (field.kind == FieldKind::kObject || field.kind == FieldKind::kList) {
      Link(field.info).release(reinterpret_cast<char*>(&object) + field.offset);
    }
  }
}

// ---- storing

void CArchive::StoreString(const std::string& text) {
  const std::size_t length = text.size();
  if (length > UINT32_MAX) throw CFileException("a text of more than 4 GiB cannot be stored");
  if (length < kByteLengthEscape) {
    m_writer.U8(static_cast<std::uint8_t>(length));
  } else {
    m_writer.U8(kByteLengthEscape);
    if (length < kWideMarker) {
      m_writer.U16(static_cast<std::uint16_t>(length));
    } else {
      m_writer.U16(kWordLengthEscape);
      m_writer.U32(static_cast<std::uint32_t>(length));
    }
  }
  m_writer.Bytes(text);
}

CObject* CArchive::StoreReference(const CObject* object) {
  if (!object) {
    m_writer.U16(kNullTag);
    return nullptr;
  }
  if (object->m_nStoreRun == m_nStoreRun) {
    StoreIndex(object->m_nStoreIndex, 0);
    return nullptr;
  }
  const CRuntimeClass* cls = object->GetRuntimeClass();
  const auto stored = std::find_if(m_storedClasses.begin(), m_storedClasses.end(),
                                   [cls](const auto& entry) { return entry.first == cls; });
  if (stored != m_storedClasses.end()) {
    StoreIndex(stored->second, kBigClassTag);
  } else {
    const std::string_view name = cls->m_lpszClassName;
    m_writer.U16(kNewClassTag);
    m_writer.U16(static_cast<std::uint16_t>(cls->m_wSchema));
    m_writer.U16(static_cast<std::uint16_t>(name.size()));
    m_writer.Bytes(name);
    m_storedClasses.emplace_back(cls, m_nextIndex++);
  }
  object->m_nStoreRun = m_nStoreRun;
  object->m_nStoreIndex = m_nextIndex++;
  // The archive only reads the object's fields and writes them out.
  return const_cast<CObject*>(object);
}

// A back reference (classBit 0) or a known-class tag, short while it fits.
void CArchive::StoreIndex(std::uint32_t index, std::uint32_t classBit) {
  if (index <= kMaxShortIndex) {
    m_writer.U16(static_cast<std::uint16_t>(index | (classBit ? kClassTag : 0)));
  } else {
    m_writer.U16(kBigIndexTag);
    m_writer.U32(index | classBit);
  }
}

// ---- loading

std::string CArchive::LoadString() {
  bool wide = false;
  const std::uint64_t length = LoadStringLength(true, wide);
  if (!wide) return m_reader.Bytes(length);
  m_reader.Need(length * 2);
  std::u16string units(length, u'\0');
  for (char16_t& unit : units) unit = m_reader.U16();
  return Utf16ToWindows1252(units);
}

std::uint64_t CArchive::LoadStringLength(bool allowWide, bool& wide) {
  const std::size_t at = m_reader.Offset();
  const std::uint8_t length = m_reader.U8();
  if (length < kByteLengthEscape) return length;
  const std::uint16_t word = m_reader.U16();
  if (word == kWideMarker) {
    if (!allowWide) throw CArchiveException("a wide string marker inside a wide string", at);
    wide = true;
    return LoadStringLength(false, wide);
  }
  if (word == kWordLengthEscape) return m_reader.U32();
  return word;
}

// Out of line, so that the hot paths of a reference keep their registers.
[[noreturn, gnu::cold, gnu::noinline]] static void ThrowIndexFault(const char* kind,
                                                                   std::uint32_t index,
                                                                   const char* what,
                                                                   std::size_t at) {
  throw CArchiveException(std::string(kind) + " index " + std::to_string(index) + ", " + what, at);
}

[[noreturn, gnu::cold, gnu::noinline]] static void ThrowWrongClass(const char* kind,
                                                                   const CRuntimeClass* cls,
                                                                   const CRuntimeClass* expected,
                                                                   std::size_t at) {
  throw CArchiveException(std::string(kind) + " of class " + cls->m_lpszClassName + " where " +
                              expected->m_lpszClassName + " is expected",
                          at);
}

// Most references are short back references to objects of the field's
// class: those take the inline path, the rest LoadAnyReference.
inline CObject* CArchive::LoadReference(Field& field, bool& fresh) {
  const std::size_t at = m_reader.Offset();
  const std::uint16_t tag = m_reader.U16();
  if (tag != 0 && tag <= kMaxShortIndex && tag < m_slots.size()) {
    const std::uintptr_t slot = m_slots[tag];
    const std::uintptr_t classTag = slot & kTagMask;
    if (field.acceptedTags >> classTag & 1) return SlotObject(slot);
  }
  return LoadAnyReference(field, tag, at, fresh);
}

CObject* CArchive::LoadAnyReference(Field& field, std::uint16_t tag, std::size_t at, bool& fresh) {
  if (tag == kNewClassTag) {
    LoadedClass& loaded = LoadClassRecord();
    fresh = true;
    return CreateObject(loaded, field.expected, at);
  }
  std::uint32_t index = tag;
  if (tag == kBigIndexTag) {
    index = m_reader.U32();
  } else if (tag & kClassTag) {
    index = kBigClassTag | (tag & ~kClassTag);
  }
  if (index & kBigClassTag) {
    fresh = true;
    return CreateObject(TaggedClass(index & ~kBigClassTag, at), field.expected, at);
  }
  if (index == 0) return nullptr;
  if (index >= m_slots.size()) {
    ThrowIndexFault("a back reference to", index, "not yet assigned", at);
  }
  const std::uintptr_t slot = m_slots[index];
  CObject* object = SlotObject(slot);
  if (!object) ThrowIndexFault("a back reference to", index, "which is a class record", at);
  const std::uintptr_t classTag = slot & kTagMask;
  if (!(field.acceptedTags >> classTag & 1)) CheckBackReference(field, *object, classTag, at);
  return object;
}

// The class record a known-class tag names.
CArchive::LoadedClass& CArchive::TaggedClass(std::uint32_t classIndex, std::size_t at) {
  if (classIndex >= m_slots.size()) {
    ThrowIndexFault("a class tag names", classIndex, "not yet assigned", at);
  }
  if (!IsClassRecord(m_slots[classIndex])) {
    ThrowIndexFault("a class tag names", classIndex, "not a class record", at);
  }
  return m_loadedClasses[m_slots[classIndex] >> kTagBits];
}

void CArchive::CheckBackReference(Field& field, CObject& object, std::uintptr_t classTag,
                                  std::size_t at) const {
  const CRuntimeClass* cls = classTag ? m_taggedClasses[classTag - 1] : object.GetRuntimeClass();
  if (!cls->IsDerivedFrom(field.expected)) {
    ThrowWrongClass("a reference to an object", cls, field.expected, at);
  }
  // Tag 0 names no single class, so only a real tag can be remembered.
  if (classTag) field.acceptedTags |= static_cast<std::uint8_t>(1u << classTag);
}

// After the new-class tag: schema, name length, name. Takes the next index.
CArchive::LoadedClass& CArchive::LoadClassRecord() {
  const std::uint16_t schema = m_reader.U16();
  const std::size_t lengthAt = m_reader.Offset();
  const std::uint16_t length = m_reader.U16();
  if (length > kMaxClassNameLength) {
    throw CArchiveException("a class name of " + std::to_string(length) + " bytes (at most " +
                                std::to_string(kMaxClassNameLength) + ")",
                            lengthAt);
  }
  const std::size_t nameAt = m_reader.Offset();
  const std::string name = m_reader.Bytes(length);
  const CRuntimeClass* cls = CRuntimeClass::FromName(name);
  if (!cls || !cls->m_pfnCreateObject) {
    throw CArchiveException("unknown class name " + Printable(name), nameAt);
  }
  if (schema != cls->m_wSchema) {
    throw CArchiveException("class " + name + " has schema " + std::to_string(schema) +
                                ", expected " + std::to_string(cls->m_wSchema),
                            nameAt - 4);
  }
  // The class's objects are tagged with it while tags last.
  std::uintptr_t tag = 0;
  while (tag < m_taggedClasses.size() && m_taggedClasses[tag] != cls) ++tag;
  if (tag == m_taggedClasses.size() && tag + 1 < kClassRecordTag) m_taggedClasses.push_back(cls);
  tag = tag < m_taggedClasses.size() ? tag + 1 : 0;
  m_slots.push_back(m_loadedClasses.size() << kTagBits | kClassRecordTag);
  return m_loadedClasses.emplace_back(LoadedClass{cls, tag, -1});
}

CObject* CArchive::CreateObject(LoadedClass& loaded, const CRuntimeClass* expected,
                                std::size_t at) {
  const CRuntimeClass* cls = loaded.cls;
  if (cls != expected && !cls->IsDerivedFrom(expected)) {
    ThrowWrongClass("an object", cls, expected, at);
  }
  CObject* object = cls->CreateObject();
  m_slots.push_back(reinterpret_cast<std::uintptr_t>(object) | loaded.tag);
  ++m_createdCount;
  if (loaded.layout < 0) loaded.layout = LayoutIndex(*object);
  m_nFreshLayout = static_cast<std::uint16_t>(loaded.layout);
  return object;
}
