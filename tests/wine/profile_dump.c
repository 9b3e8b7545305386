/* Prints what the Windows profile functions read from INI files.
 *
 * Usage: profile_dump FILE...
 * For each file: "F <name>", then for every section that
 * GetPrivateProfileSectionNamesA lists (and for the empty section name):
 *   S <name>             the section name as listed ("S0" for the empty name)
 *   E <entry>            each entry of GetPrivateProfileSectionA
 *   K <key>              each key of GetPrivateProfileStringA(section, NULL)
 *   V <value>            GetPrivateProfileStringA(section, key) ("<default>" when missing)
 *   U <value>            the same lookup with section and key in upper case
 *                        (ASCII and Windows-1251 Cyrillic letters)
 *   P <value>            the same lookup with a blank and a tab around section and key
 * Lists are walked by the length that the call returns, so empty names show.
 * Every byte outside 0x21..0x7e, and the backslash, is written as \xHH. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

#define BIG (1 << 20)
static const char kDefault[] = "\x01<default>";

static char names[BIG], entries[BIG], keys[BIG], value[BIG];

static void put(const char *tag, const char *text) {
  fputs(tag, stdout);
  putchar(' ');
  for (const unsigned char *p = (const unsigned char *)text; *p; ++p) {
    if (*p > 0x20 && *p < 0x7f && *p != '\\')
      putchar(*p);
    else
      printf("\\x%02x", *p);
  }
  putchar('\n');
}

static void upper(char *text) {
  for (unsigned char *p = (unsigned char *)text; *p; ++p) {
    if (*p >= 'a' && *p <= 'z') *p -= 32;
    else if (*p >= 0xe0) *p -= 32;
    else if (*p == 0xb8) *p = 0xa8;
  }
}

static void lookup(const char *tag, const char *section, const char *key, const char *path) {
  GetPrivateProfileStringA(section, key, kDefault, value, BIG, path);
  put(tag, strcmp(value, kDefault) == 0 ? "<default>" : value);
}

static void dump_section(const char *section, const char *path) {
  char usection[4096], ukey[4096];
  put(*section ? "S" : "S0", section);
  DWORD size = GetPrivateProfileSectionA(section, entries, BIG, path);
  for (const char *e = entries; e < entries + size; e += strlen(e) + 1) put("E", e);
  size = GetPrivateProfileStringA(section, NULL, "", keys, BIG, path);
  for (const char *k = keys; k < keys + size; k += strlen(k) + 1) {
    put("K", k);
    lookup("V", section, k, path);
    snprintf(usection, sizeof usection, "%s", section);
    snprintf(ukey, sizeof ukey, "%s", k);
    upper(usection);
    upper(ukey);
    lookup("U", usection, ukey, path);
    snprintf(usection, sizeof usection, " %s\t", section);
    snprintf(ukey, sizeof ukey, " %s\t", k);
    lookup("P", usection, ukey, path);
  }
}

int main(int argc, char **argv) {
  char path[MAX_PATH];
  for (int i = 1; i < argc; ++i) {
    GetFullPathNameA(argv[i], MAX_PATH, path, NULL);
    put("F", argv[i]);
    DWORD size = GetPrivateProfileSectionNamesA(names, BIG, path);
    dump_section("", path);
    for (const char *s = names; s < names + size; s += strlen(s) + 1) dump_section(s, path);
  }
  fflush(stdout);
  return 0;
}
