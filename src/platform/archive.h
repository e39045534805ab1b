#pragma once
// The archive of document files: integers, strings and a graph of objects,
// little-endian, each object written once where it is first referenced and
// named by a running index afterwards (index 0 is null; class records and
// objects share the counter).
//
// A class's Serialize does not read or write; it describes its stored fields,
// in order, to the archive (ar.Int32(m_x), ar.Object(m_pItem), ...). The
// archive then stores or loads them. Storing and loading use the same
// description, so the field order cannot differ between them. Every object of
// a class must describe the same members: the archive asks the first object
// of each class and keeps the fields as offsets into the object, so a large
// track costs one description per class, not one per object. Because the
// walk over the graph is driven by the archive's own stack rather than by
// nested Serialize calls, a graph as deep as it is large (a long track, or a
// hostile file nesting as deep as its size allows) needs no call stack, and
// each level of it holds an object, a field and a list position only.
//
// Loading treats the bytes as untrusted: every failure throws
// CArchiveException with the byte offset, and every object created so far is
// deleted, once, before the exception leaves.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/archive_exception.h"
#include "platform/archive_links.h"
#include "platform/byte_stream.h"
#include "platform/chunked_array.h"
#include "platform/object.h"

// Maps a field's value in memory to the value stored, and a stored value back.
struct CArchiveCodec {
  std::int32_t (*toFile)(int value);
  int (*fromFile)(std::int32_t stored);
};

class CArchive {
 public:
  // Storing appends to `out`.
  explicit CArchive(std::vector<std::uint8_t>& out);
  // Loading reads `in`, which must outlive the archive.
  explicit CArchive(std::span<const std::uint8_t> in);
  // Loading reads the `size` bytes of `source` as it goes, `window` bytes at a time.
  CArchive(ByteSource& source, std::size_t size, std::size_t window);
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  // Field descriptions, called by Serialize in stored order.
  void Int32(std::int32_t& value);
  void Code(int& value, const CArchiveCodec& codec);
  void String(std::string& text);
  // A reference (plain or owning pointer) to an object of the pointer's class.
  template <class Field>
  void Object(Field& field) {
    Describe(FieldKind::kObject, &field, &CArchiveLinkOf<Field>::kLink);
  }
  // A u32 count, then that many references (a vector of plain or owning pointers).
  template <class Field>
  void List(Field& list) {
    Describe(FieldKind::kList, &list, &CArchiveLinkOf<Field>::kLink);
  }

  // Stores or loads the fields `root` describes. The root is the top level of
  // the file, not an indexed object. When loading fails, the links of the root
  // and of every object created are dropped and the created objects deleted
  // before the exception is rethrown; on success the objects belong to the
  // graph they were linked into.
  void SerializeRoot(CObject& root);

  // Loading: throws unless every byte has been read.
  void ExpectEnd();
  // Loading: how many objects the bytes created.
  std::size_t CreatedCount() const { return m_createdCount; }
  // Loading: for a failure found after SerializeRoot (a check of the graph).
  // Drops every link of `root` and of the created objects, then deletes each
  // created object once.
  void DiscardObjects(CObject& root);

 private:
  enum class FieldKind : std::uint8_t { kInt32, kCode, kString, kObject, kList };
  // A stored field, at its offset in the objects of one class.
  struct Field {
    FieldKind kind;
    // kInt32 and kCode: how many such fields follow in a row, this one
    // included, so that a run of them is one record of the bytes.
    std::uint8_t scalars;
    // kObject and kList: bit t is set once objects of slot tag t are known to
    // be of the expected class, so a back reference is checked without a walk.
    std::uint8_t acceptedTags;
    std::uint32_t offset;
    const void* info;  // CArchiveCodec for kCode, CArchiveLink for kObject and kList
    const CRuntimeClass* expected;  // kObject and kList: the class the field holds
  };
  // The stored fields of one class, in order.
  struct Layout {
    const CRuntimeClass* cls;
    std::vector<Field> fields;
  };
  // One object whose fields are being processed.
  // Sixteen bytes, so that the deep stack of a long track stays small and is
  // indexed by shifts.
  struct Frame {
    CObject* object;
    std::uint32_t left;    // entries of the current list field still to process
    std::uint16_t layout;  // index in m_layouts
    std::uint8_t next;     // the field to process next
    bool inList;
  };
  static_assert(sizeof(Frame) == 16);

  // Loading: a class record read, and what creating its objects needs.
  struct LoadedClass {
    const CRuntimeClass* cls;
    std::uintptr_t tag;   // its objects' slot tag
    std::int32_t layout;  // index in m_layouts, or -1 before its first object
  };

  const Layout& LayoutOf(const CObject& object);
  std::uint16_t LayoutIndex(const CObject& object);
  void Describe(FieldKind kind, void* target, const void* info);
  void Push(CObject& object, std::uint16_t layout);
  void Run();
  // Stores or loads the run of integer fields that starts at `field`.
  void Scalars(const Field* field, char* object);
  // The next list entry whose body must follow, or null when the list is done.
  CObject* StepList(Frame& frame, Field& field, void* target);
  std::uint32_t BeginList(const Field& field, void* target);
  // The object that entry `index` of the field at `target` refers to, when it
  // is new and its body must follow; otherwise null.
  CObject* Reference(Field& field, void* target, std::size_t index);

  void StoreString(const std::string& text);
  CObject* StoreReference(const CObject* object);
  void StoreIndex(std::uint32_t index, std::uint32_t classBit);

  std::string LoadString();
  std::uint64_t LoadStringLength(bool allowWide, bool& wide);
  CObject* LoadReference(Field& field, bool& fresh);
  CObject* LoadAnyReference(Field& field, std::uint16_t tag, std::size_t at, bool& fresh);
  void CheckBackReference(Field& field, CObject& object, std::uintptr_t classTag,
                          std::size_t at) const;
  LoadedClass& LoadClassRecord();
  LoadedClass& TaggedClass(std::uint32_t classIndex, std::size_t at);
  // Sets m_nFreshLayout to the new object's layout.
  CObject* CreateObject(LoadedClass& loaded, const CRuntimeClass* expected, std::size_t at);
  void ReleaseLinks(CObject& object);

  bool m_bStoring;
  std::vector<std::uint8_t> m_noOutput;  // the writer's target while loading
  ByteWriter m_writer;
  ByteReader m_reader;
  std::vector<Layout> m_layouts;
  const CObject* m_pDescribed = nullptr;  // the object whose Serialize is describing
  std::vector<Field>* m_pDescription = nullptr;
  ChunkedArray<Frame> m_frames;  // as deep as the track is large

  std::uint32_t m_nextIndex = 1;
  std::uint32_t m_nStoreRun = 0;  // storing: tells this run's object indices from older ones
  // Storing: the index of each class's record; a track has a handful of classes.
  std::vector<std::pair<const CRuntimeClass*, std::uint32_t>> m_storedClasses;
  // Loading: index -> entry, an address with a tag; index 0 is null.
  ChunkedArray<std::uintptr_t> m_slots;
  std::vector<const CRuntimeClass*> m_taggedClasses;  // loading: the classes slots name by tag
  std::vector<LoadedClass> m_loadedClasses;  // loading: in the order read
  std::uint16_t m_nFreshLayout = 0;
  std::size_t m_createdCount = 0;
  std::size_t m_nReserveLeft = 0;  // loading: list entries all reserves together may still take
};
