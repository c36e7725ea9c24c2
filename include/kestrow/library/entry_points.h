/* The component library's exported entry points, callable from C. Results are the host's result
   codes (kestrow/host/component_registry.h): 0 success, 1 the negative answer, negative a
   failure. */
#ifndef KESTROW_LIBRARY_ENTRY_POINTS_H
#define KESTROW_LIBRARY_ENTRY_POINTS_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#else
#include <uchar.h>
#endif

#if defined(__GNUC__)
#define KESTROW_API __attribute__((visibility("default")))
#else
#define KESTROW_API
#endif

/* Laid out as kestrow::host::Guid. */
typedef struct KestrowGuid {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
} KestrowGuid;

/* Registers the Text control and the Format property page with the process's registry. */
KESTROW_API int32_t DllRegisterServer(void);
/* Removes them again; classes that were not registered are no failure. */
KESTROW_API int32_t DllUnregisterServer(void);
/* The class object of one of the library's classes, asked for by the class-factory interface id:
   a kestrow::host::ClassFactory*, with a reference the caller gives back with Release().
   `*out` is null unless the result is 0. */
KESTROW_API int32_t DllGetClassObject(const KestrowGuid* clsid, const KestrowGuid* iid, void** out);
/* 0 when no component of the library lives and no class object is held or locked, else 1. */
KESTROW_API int32_t DllCanUnloadNow(void);

/* A registered class as the registry holds it. */
typedef struct KestrowClassInfo {
  KestrowGuid class_id;
  char prog_id[64];
  char class_name[64];
  int32_t kind; /* 0 control, 1 property page */
} KestrowClassInfo;

/* 0 and the class, or 1 when it is not registered. */
KESTROW_API int32_t KestrowFindClass(const KestrowGuid* clsid, KestrowClassInfo* out);
/* 0 and the class id, or 1 (and a zero id) when no class has that ProgID. */
KESTROW_API int32_t KestrowClassFromProgId(const char* prog_id, KestrowGuid* out);

/* The version record; all texts are null-terminated UTF-16 and live as long as the library. */
typedef struct KestrowVersionEntry {
  const char* key;
  const char16_t* value;
} KestrowVersionEntry;

typedef struct KestrowVersionInfo {
  const char16_t* file_version;
  const char16_t* product_version;
  uint16_t language;
  uint16_t code_page;
  const KestrowVersionEntry* entries;
  size_t entry_count;
} KestrowVersionInfo;

KESTROW_API const KestrowVersionInfo* KestrowGetVersionInfo(void);

/* The bytes of a resource, or null (and a size of 0) for an unknown id. */
KESTROW_API const uint8_t* KestrowFindResource(int32_t id, size_t* size);

#ifdef __cplusplus
}
#endif

#endif
