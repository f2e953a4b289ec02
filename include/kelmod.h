/*
 * kelmod.h - the KELMOD toolbox, version 3.1G.
 *
 * KELMOD turns a CAD host's data into request strings ("send strings") for an
 * ERP backend and turns the backend's answers into in-memory tables that the
 * host reads by field name, attribute or record number. The host owns the
 * connection and carries every string; KELMOD never talks to the backend.
 *
 * Conventions for every function below:
 *  - Every function returns an ErrorCode; 0 is success. Turn any other code
 *    into text with ZanGetErrorMessage.
 *  - Text arguments are 8-bit, NUL-terminated and writable: some functions trim
 *    or cut them in place, as noted at each function.
 *  - A text result is handed back through a char** that receives the address
 *    of a buffer owned by the toolbox. Never free it; it stays valid until the
 *    next call that uses the same buffer:
 *      send buffer  - every send string, ZanDescribeInterface, ZanGetMcdValue,
 *                     ZanGetSmlDataValueK4;
 *      value buffer - ZanGetTableValue, ZanGetAttributNameValue,
 *                     ZanDescribeTable, ZanDeleteTableEntry and the other
 *                     description and single-value reads.
 *  - A required pointer that is null returns 78 and changes nothing.
 *  - Running out of memory returns 8 and leaves the toolbox usable. A value
 *    number more than 1 048 576 past the last value of a list (which would
 *    fill the gap with empty values) is refused the same way.
 *  - Record, column, line and field numbers count from 1.
 *  - All state is module-wide; call the toolbox from one thread at a time.
 *    A host that breaks this rule does not corrupt the tables: every function
 *    holds one process-wide lock for the whole call, so calls from several
 *    threads run one after the other. The lock cannot keep a text handed back
 *    through a char** (it points into a buffer of the toolbox) from being
 *    replaced by another thread's next call: a host that calls from several
 *    threads holds its own lock from the call until it has copied the texts,
 *    as the bindings do. Uncontended, the lock costs one atomic instruction;
 *    a thread that finds it taken sleeps until it is given back (at most
 *    about a millisecond longer).
 *
 * Call trace, for finding out what crossed the boundary when an exchange goes
 * wrong at a site: when the environment variable KELMOD_TRACE names a file at
 * the first call of the process, every call appends one line of JSON to it
 * (sequence number, microseconds since the trace began, the function's name,
 * every argument as received, the code, every text and record handed back,
 * texts changed in place, the duration), written and flushed before the call
 * returns. Texts are kept byte for byte: bytes outside printable ASCII appear
 * as \u00XX. With KELMOD_TRACE_FILES=1 as well, a line also carries the whole
 * content of each description, table index and message file the first time
 * a call reads it, so that `kelmod replay TRACE` can run the same calls on
 * another machine. Tracing never changes a result: a trace file that cannot
 * be opened or written turns tracing off. Unset, it costs one branch a call.
 */
#ifndef KELMOD_H
#define KELMOD_H

#include <stdint.h>

#if defined(_WIN32)
#define KELMOD_API
#elif defined(KELMOD_BUILDING_LIBRARY) && defined(__GNUC__)
#define KELMOD_API __attribute__((visibility("default")))
#else
#define KELMOD_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t ErrorCode;

/*
 * The four records, laid out as every C compiler lays them out for the
 * platform's pointer size. Offsets and sizes in bytes, written
 * "32-bit | 64-bit" (64-bit: Linux, macOS and Windows alike); a binding in
 * another language lays them out from these figures. The test
 * tests/c_layout_test.c checks them with offsetof and sizeof.
 */

/* Filled by ZanGetErrorMessage; 266 bytes are written, no more.
 * Size 268 on every platform (two bytes of padding at the end). */
typedef struct MessageRecord {
    int32_t code;            /* offset 0: the code looked up */
    char    type[3];         /* offset 4: type letter, NUL */
    char    shortText[37];   /* offset 7: up to 26 characters */
    char    longText[222];   /* offset 44: up to 221 characters */
} MessageRecord;

/* One line of a field definition file; 66 bytes on every platform, no
 * padding. */
typedef struct AttributeRecord {
    char setName[9];         /* offset 0: columns 3-9 as they stand */
    char fieldName[12];      /* offset 9: columns 11-21, trimmed */
    char length[4];          /* offset 21: columns 30-32 as they stand */
    char description[41];    /* offset 25: columns 33-72 */
} AttributeRecord;

/* One characteristic with one of its values (help, matchcode, mail and
 * characteristic-bar tables of the older form).
 * Size 52 | 96; on 64-bit platforms 4 bytes of padding stand between
 * decimals and value. Offsets (32-bit | 64-bit): */
typedef struct CharacteristicData {
    char*   name;            /*   0 |   0 */
    char*   fieldName;       /*   4 |   8 */
    char*   dinLetter;       /*   8 |  16 */
    char*   input;           /*  12 |  24 */
    char*   unit;            /*  16 |  32 */
    char*   format;          /*  20 |  40 */
    char*   template_;       /*  24 |  48: "template" is a C++ keyword */
    char*   selection;       /*  28 |  56 */
    char*   parameter;       /*  32 |  64 */
    int32_t length;          /*  36 |  72 */
    int32_t width;           /*  40 |  76 */
    int32_t decimals;        /*  44 |  80 */
    char*   value;           /*  48 |  88 */
} CharacteristicData;

/* One characteristic of the characteristic bar of the newer release.
 * Size 140 | 272, no padding. Offsets (32-bit | 64-bit): */
typedef struct SmlCharacteristicData {
    char*   name;             /*   0 |   0 */
    char*   description;      /*   4 |   8 */
    char*   mandatory;        /*   8 |  16 */
    char*   inherited;        /*  12 |  24 */
    char*   valuated;         /*  16 |  32 */
    char*   dataType;         /*  20 |  40 */
    char*   singleValue;      /*  24 |  48 */
    char*   interval;         /*  28 |  56 */
    char*   additionalValues; /*  32 |  64 */
    int32_t digits;           /*  36 |  72 */
    int32_t decimals;         /*  40 |  76 */
    char*   sign;             /*  44 |  80 */
    char*   exponentDisplay;  /*  48 |  88 */
    char*   exponentFormat;   /*  52 |  96 */
    char*   template_;        /*  56 | 104 */
    char*   lowerCase;        /*  60 | 112 */
    char*   unit;             /*  64 | 120 */
    char*   dinLetter;        /*  68 | 128 */
    char*   documentType;     /*  72 | 136 */
    char*   documentNumber;   /*  76 | 144 */
    char*   documentPart;     /*  80 | 152 */
    char*   documentVersion;  /*  84 | 160 */
    char*   view0;            /*  88 | 168 */
    char*   view1;            /*  92 | 176 */
    char*   view2;            /*  96 | 184 */
    char*   view3;            /* 100 | 192 */
    char*   view4;            /* 104 | 200 */
    char*   view5;            /* 108 | 208 */
    char*   view6;            /* 112 | 216 */
    char*   view7;            /* 116 | 224 */
    char*   view8;            /* 120 | 232 */
    char*   view9;            /* 124 | 240 */
    char*   sendText1;        /* 128 | 248 */
    char*   sendText2;        /* 132 | 256 */
    char*   value;            /* 136 | 264 */
} SmlCharacteristicData;

/* ===================================================================== */
/* Toolbox core                                                           */
/* ===================================================================== */

/* Starts or releases the toolbox.
 * mode 1: start-up, call once after loading. Every table, both file paths
 *         and the stored interface values become empty (the release family
 *         derived from the last interface record is kept).
 * mode 2: release. Frees every table of every family and both file paths;
 *         the interface values, the release family and the result buffers
 *         stay. The toolbox can be used again afterwards.
 * Codes: 0; 3 other mode. */
KELMOD_API ErrorCode ZanInitToolbox(int32_t mode);

/* Sets a file path (a copy of path is kept).
 * mode 1: the message file read by ZanGetErrorMessage.
 * mode 2: the table index file that holds the layouts of table type 4.
 * Without a configured path the toolbox takes, on first use, the environment
 * variable KELMMES (else "./kelmmes.dat") or KELMDAT (else "./kelmtab.dat")
 * and keeps that choice until ZanInitToolbox(2).
 * Codes: 0; 3 other mode; 8 memory; 78 path null. */
KELMOD_API ErrorCode ZanConfigureToolbox(int32_t mode, char* path);

/* *version receives the address of the static text "3.1G". Codes: 0; 78. */
KELMOD_API ErrorCode ZanToolboxVersion(char** version);

/* Looks code up in the message file and fills *message member by member.
 * The first line that begins with "E" and holds the code in columns 3-5
 * gives the type letter (column 7), the short text (columns 9-34, trimmed)
 * and the long text (column 36 to the end of the line). Columns 3-5 are read
 * as a number: leading blanks skipped, then digits up to the first other
 * character, 0 if none; a sign is not a digit, so " -2" reads as code 0 and
 * a negative code never has a line. Without a file or a line the record
 * holds type "X", an empty short text and the long text
 * "TBnnn Error in toolbox" (for example "TB041 Error in toolbox", and
 * "TB0-2 Error in toolbox" for -2).
 * Codes: 0 whether or not the code was found; 8 memory; 78 message null. */
KELMOD_API ErrorCode ZanGetErrorMessage(int32_t code, MessageRecord* message);

/* Stores the interface record of the backend:
 * columns 1-4 release, 5 and 6 flags, 7 separator character, 8 flag,
 * 9-18 interface text. The first two characters of the release select the
 * release family ("50"/"5." 1, "60"/"6." 2, "21" 3, "22"/"2." 4, else 5);
 * a release shorter than two characters keeps the previous family. length
 * must be at least 1; the columns are read up to the record's NUL.
 * Codes: 0; 78 record null or length below 1. */
KELMOD_API ErrorCode ZanFillInterface(char* record, int32_t length);

/* Copies one stored interface value into the send buffer; *value receives
 * its address. mode 1 separator, 2 release, 3 column-5 flag, 4 column-6 flag,
 * 5 interface text, 6 column-8 flag.
 * Codes: 0; 3 other mode; 8 memory; 78 value null. */
KELMOD_API ErrorCode ZanDescribeInterface(int32_t mode, char** value);

/* ===================================================================== */
/* Generic record tables                                                  */
/* ===================================================================== */
/*
 * Table types of the create and fill functions, with the direction letter
 * that selects the layout in the set index file:
 *   1 send table "U"   2 answer table "D"   3 "D"   4 "D" (table index file)
 *   5 "D"              6 send table "U"     7 "U"   8 "U"
 * Types 1 and 6 share one table, as do types 3 and 4. The user table is
 * type 10 (ZanCreateFillUserTable).
 *
 * Description files (plain text, one line each, 1-based columns):
 *   set index file:        1 "*" comment, 3-7 name, 10-11 key,
 *                          14 direction letter, 17-23 set name
 *   field definition file: 1 "*" comment, 3-9 set name, 11-21 field name,
 *                          30-32 length, 33-72 description
 *   table index file:      1 direction letter, 7-11 name, 13-14 key,
 *                          16-22 set name, 24-33 field name, 35-37 length
 */

/* Creates the table of a type from its layout, replacing the previous table
 * of that type (which is gone whatever the outcome). name and key select the
 * set in the set index file at setIndexPath; its fields are read from the
 * field definition file at definitionPath. Type 4 reads its fields from the
 * table index file instead and ignores both paths. The new table becomes the
 * current table. A layout without fields is an empty table.
 * Codes: 0; 1 set not found, set index file missing or setIndexPath null;
 * 2 definitionPath null; 3 type; 8 memory; 60 type 4: table index file
 * unreadable; 78 name or key null (the old table is then kept). */
KELMOD_API ErrorCode ZanCreateTable(int32_t type, char* name, char* key, char* setIndexPath,
                                    char* definitionPath);

/* Creates the table (as ZanCreateTable) and parses the received data string
 * into it: fixed-width records laid out by the field widths, or for type 4
 * values each terminated by the separator character (data is cut at length
 * in place). A length below 1 leaves the new table without records.
 * Codes: those of ZanCreateTable; 4 data null (nothing is created) or the
 * new table has no fields; 8 memory. */
KELMOD_API ErrorCode ZanCreateFillTable(int32_t type, char* name, char* key, char* setIndexPath,
                                        char* definitionPath, char* data, int32_t length);

/* Appends the fixed-width records of data (length bytes) to the existing
 * table of the type (every type, 4 included, reads fixed width here).
 * Codes: 0; 3 type; 8 memory; 61 table not created; 62 length 0 or below;
 * 78 data null. */
KELMOD_API ErrorCode ZanFillTable(int32_t type, char* data, int32_t length);

/* Builds the send string of the send table (types 1 and 6): record after
 * record, each value left-aligned and padded with blanks or cut to its
 * field's width. *sendString receives the send buffer.
 * Codes: 0; 7 send table empty; 8 memory; 78 sendString null. */
KELMOD_API ErrorCode ZanCreateSendstr(char** sendString);

/* Builds the send string of the table of type 7 or 8, as ZanCreateSendstr.
 * Codes: 0; 7 table empty; 8 memory or a type other than 7 and 8;
 * 78 sendString null. */
KELMOD_API ErrorCode ZanCreateSendstrBomHead(int32_t type, char** sendString);

/* Reads one value by field name and record number into the value buffer.
 * Blanks and tabs are removed from fieldName in place before it is compared.
 *   type 1 send table, 2, 3 and 4 (types 3/4), 10 user table: value trimmed;
 *   type 5 searches the type-2 table, then the type-5 table;
 *   types 6, 7, 8 search the tables of type 5, 7, 8 (values untrimmed).
 * A value longer than 255 characters is cut to 255.
 * Codes: 0; -2 the field has no values; -3 no value at that record (both
 * with an empty value); 3 type; 8 memory; 38/39/40 table of type 1/2/3
 * empty; 41 no such field; 59 user table empty; 999 table of type 4 to 8
 * not present; 78 fieldName or value null. */
KELMOD_API ErrorCode ZanGetTableValue(int32_t type, char* fieldName, int32_t record, char** value);

/* Stores a value in a field. fieldName is compared without its trailing
 * blanks against the stored names without blanks and tabs. Except in the user
 * table, a value longer than the field is cut to its length in place.
 * Record 0 makes the value the field's only value (record 1); any other
 * record number appends it as the field's next record.
 * Types: 1 and 6 send table, 2, 3 and 4 (types 3/4), 5, 7, 8, 10 user table.
 * Codes: 0; 3 type; 8 memory; 48 send table empty; 49 other table empty;
 * 50 no such field; 59 user table empty; 71 fieldName or value null. */
KELMOD_API ErrorCode ZanWriteTableValue(int32_t type, char* fieldName, char* value, int32_t record);

/* Replaces the value of a field at a record. fieldName is compared as given.
 * value is cut to the field's length and trimmed of blanks in place.
 * Record 0, or a field that does not exist, changes nothing and returns 0.
 * Types: 1 and 6 send table, 2, 3 and 4 (types 3/4), 5, 7, 8.
 * Codes: 0; 3 type; 8 memory; 51 send table empty; 52 other table empty;
 * 53 no value at that record; 78 fieldName or value null. */
KELMOD_API ErrorCode ZanModifyTableValue(int32_t type, char* fieldName, char* value, int32_t record);

/* Deletes record `record` from every field of a table. The values behind it
 * keep their record numbers. A record below 1 or beyond the record count
 * changes nothing. Uses (and overwrites) the value buffer.
 * Types: 1 and 6 send table, 2, 3 and 4 (types 3/4), 5, 7, 8, 10.
 * Codes: 0; 3 type; 38/39 send table/type 2 empty; 40 types 3, 5, 6, 7, 8
 * empty; 59 user table empty; 999 type 4 empty. */
KELMOD_API ErrorCode ZanDeleteTableEntry(int32_t type, int32_t record);

/* Writes the record count of a table as decimal text into the value buffer.
 * Types: 1 send table, 2, 3 and 4 (types 3/4), 5, 6 (characteristic bar of
 * the newer release), 7, 8, 10 user table.
 * Codes: 0; 3 type; 8 memory; 15/16/17 table of type 3-4/2/1 empty;
 * 999 table of type 5, 6, 7, 8 or 10 empty; 78 count null. */
KELMOD_API ErrorCode ZanDescribeTable(int32_t type, char** count);

/* Reads the n-th field definition of a set straight from the description
 * files into *attribute (66 bytes). direction 1 "U", 2 "D". With name and
 * key both empty (or null) every definition line of the file counts, and
 * the set index file is not read (setIndexPath may then be null).
 * Codes: 0; 1 set not found (also setIndexPath null); 3 direction;
 * 8 memory; 56 definition file cannot be opened (also definitionPath null);
 * 57 no definition at that position; 78 attribute null. */
KELMOD_API ErrorCode ZanGetAttributName(int32_t direction, char* name, char* key, char* setIndexPath,
                                        char* definitionPath, int32_t n, AttributeRecord* attribute);

/* Reads by field position: fieldName (at least 12 bytes) receives the name
 * of field fieldNumber, *value the value of that field at record (trimmed,
 * empty when there is none) in the value buffer.
 * Types: 1 and 6 send table, 2, 3 and 4 (types 3/4), 5, 7, 8.
 * Codes: 0; 3 type; 8 memory; 23/24 table of type 3/2 empty; 25 other table
 * empty; 26 no field at that position or record below 1; 78 pointer null. */
KELMOD_API ErrorCode ZanGetAttributNameValue(int32_t type, int32_t fieldNumber, int32_t record,
                                             char* fieldName, char** value);

/* Finds the field definition named fieldName (compared exactly) in the set
 * selected as by ZanGetAttributName and fills *attribute.
 * Codes: 0; 58 no such definition (also for a direction other than 1 or 2,
 * a set that is not found, and for a null name, key, path or fieldName);
 * 78 attribute null. */
KELMOD_API ErrorCode ZanSearchAttribut(int32_t direction, char* name, char* key, char* setIndexPath,
                                       char* definitionPath, char* fieldName,
                                       AttributeRecord* attribute);

/* Builds the user table (type 10): fields PARA1 to PARA<fieldCount> of set
 * "USRSET", 80 characters wide, filled from separator-terminated values
 * record after record (fieldCount values each; a value longer than 80
 * characters is cut). Read, write, delete, count and print it as type 10.
 * A fieldCount below 1 gives a table without fields.
 * Codes: 0; 3 mode (must be 1); 8 memory or a fieldCount above 1 048 576
 * (no user table); 78 data null. */
KELMOD_API ErrorCode ZanCreateFillUserTable(int32_t mode, int32_t fieldCount, char* data,
                                            int32_t length);

/* Writes a description file at path (created or replaced) from separator-
 * terminated values, after three header lines with today's date:
 *   mode 1, 2: field definition file, per line set name (column 3), field
 *              name (column 11), length (column 30);
 *   mode 3:    set index file, per line name (3), key (10), direction (14),
 *              set name (17).
 * A value longer than its gap runs on and the next value overwrites its
 * tail. Codes: 0; 3 mode (nothing is touched); 42/43/44 (mode 1/2/3) path
 * null, length below 1, the file cannot be written, or the last line's
 * values are incomplete (the lines before it stay); 78 data null. */
KELMOD_API ErrorCode ZanWriteKonfiguration(int32_t mode, char* data, int32_t length, char* path);

/* Prints a table into a text file at path (created or replaced), one block
 * per field or characteristic:
 *   1 send table, 2, 4 (types 3/4), 7, 8, 10 user table: one block per
 *     field with all its values ("Record-Nummer: [00000001]" ...);
 *   3 characteristic bar (older form), 21 to 26 mail tables of mail types
 *     1 to 6, 5 characteristic bar (newer form): one block per
 *     characteristic ("Sachmerkmal-Nummer: [00000001]" ...);
 *   11, 12 the class tables of modes 1 and 2 ("Klassentabelle").
 * Codes: 0 (also when path is null or the file cannot be created: then
 * nothing is written); 3 other type; 86 table empty. */
KELMOD_API ErrorCode ZanPrintTable(int32_t type, char* path);

/* ===================================================================== */
/* Characteristic value lists: help tables, matchcode tables, requests    */
/* ===================================================================== */
/*
 * Separator-terminated strings: every value is followed by the separator
 * character of the interface record ("A;B;C;" with ';'). A value without a
 * separator after it is not a complete value. Until ZanFillInterface has run
 * the separator is unset and no value is ever complete.
 *
 * CharacteristicData results point into buffers of the toolbox (one per text
 * member) that stay valid until the next read of a characteristic.
 */

/* Builds the help table from the backend's answer, replacing the previous
 * one (and clearing the header texts of the characteristic bar).
 * mode 1: column description, "title;width;" per column in release families
 *         1 to 4, "title;width;flag;" in all others. The number of columns is
 *         the number of separators among the first length+1 characters
 *         divided by 2 or 3; a column whose tokens are incomplete stays empty.
 * mode 2: plain value list "entry;entry;...": one column, one entry a line.
 * Titles and entries longer than 83 characters are cut.
 * Codes: 0 (length below 1 leaves the table empty); 3 mode; 8 memory;
 * 13 a column or entry could not be stored (the help table stays empty);
 * 78 data null. */
KELMOD_API ErrorCode ZanCreateHlpTable(int32_t mode, char* data, int32_t length);

/* Fills the lines of the help table: entry of column 1 to column c for
 * line 1, then line 2, ...; entry k of a column replaces an earlier entry k.
 * The last entry needs no separator. Leaves the column count in the value
 * buffer. Codes: 0; 3 mode (must be 1); 8 memory; 19 no help table;
 * 78 data null. */
KELMOD_API ErrorCode ZanFillHlpTable(int32_t mode, char* data, int32_t length);

/* Reads the entry at column and line of the help table into *data: name is
 * the column title, length the column width, value the entry padded with
 * blanks to the width (never cut). The other members keep what the last
 * characteristic-bar read left (empty texts before any).
 * Codes: 0 (a line below 1, or a column without entries, gives a padded empty
 * value); 3 mode (must be 1); 8 memory, or a column width above 1 048 576;
 * 32 no help table; 33 no such column,
 * or no such line (the value is then blanks); 78 data null. */
KELMOD_API ErrorCode ZanGetHlpData(int32_t mode, int32_t column, int32_t line,
                                   CharacteristicData* data);

/* A dimension of the help table as decimal text in the value buffer:
 * mode 1 number of columns, 2 number of lines (entries of the first column),
 * 3 (release family 5 only) the first column whose flag is one character,
 * 1 when none is. Codes: 0; 3 mode; 8 memory; 37 no help table;
 * 74 mode 3 in another release family; 78 value null. */
KELMOD_API ErrorCode ZanGetHlpDescription(int32_t mode, char** value);

/* Tells in which direction a field of a table is described: searches
 * fieldName in the set (name, key) of direction "U" in definitionPathU, then
 * in direction "D" in definitionPathD. The characteristic help tables
 * "EQICH", "MATCH", "TPCCH", "DOCCH" and "CHGCH" are searched under key "MD"
 * in direction "D". *direction receives one byte, 'U' or 'D'.
 * Codes: 0; 73 found in neither (direction untouched; also for a null name,
 * key, fieldName, setIndexPath or definitionPathD; a null definitionPathU
 * only finds nothing in direction "U"); 78 direction null. */
KELMOD_API ErrorCode ZanFindHelpTable(char* name, char* key, char* fieldName, char* setIndexPath,
                                      char* definitionPathU, char* definitionPathD,
                                      char* direction);

/* Builds the matchcode table from received data, replacing the previous one:
 * mode 1 the matchcode list "ID;SUBID;TEXT;" per entry, mode 2 the fields of
 * a matchcode "TEXT;length;" per entry. An incomplete last entry is dropped.
 * Tokens longer than 80 characters are cut.
 * Codes: 0; 3 mode (the table is left as it was); 5/6 nothing could be
 * stored in mode 1/2 (length below 1); 8 memory; 78 data null. */
KELMOD_API ErrorCode ZanCreateFillTableMcd(int32_t mode, char* data, int32_t length);

/* Builds the matchcode request: the WERT of every entry followed by "."
 * ("A..BC."), in the send buffer. reserved1 and reserved2 are not read but
 * must not be null. Codes: 0; 3 mode (must be 1); 8 memory; 10 table empty;
 * 78 a pointer null. */
KELMOD_API ErrorCode ZanCreateSendstrMcd(int32_t mode, char* reserved1, char* reserved2,
                                         char** sendString);

/* Reads one attribute of matchcode entry `record` into the send buffer:
 * "ID", "SUBID", "TEXT01" or "TEXT02" (the same text), "WERT".
 * Codes: 0; 3 other attribute; 8 memory; 27 table empty; 28 no such record;
 * 78 pointer null. */
KELMOD_API ErrorCode ZanGetMcdValue(char* attribute, int32_t record, char** value);

/* A count as decimal text in the value buffer: mode 1 the entries of the
 * matchcode table, mode 2 the records of the table last created with
 * ZanCreateTable. Codes: 0; 3 mode; 8 memory; 29 no such table (or a
 * current table without fields); 78 count null. */
KELMOD_API ErrorCode ZanGetMcdDescription(int32_t mode, char** count);

/* Stores value as the WERT of matchcode entry `record`; trailing blanks are
 * removed, also from value itself. Codes: 0; 3 mode (must be 1); 8 memory;
 * 54 table empty; 55 no such record or value null. */
KELMOD_API ErrorCode ZanWriteMcdValue(int32_t mode, int32_t record, char* value);

/* Builds the help request "part1;part2;part3;part4;" in the send buffer, the
 * parts unchanged (blanks kept, any length). Codes: 0; 8 memory;
 * 78 a pointer null. */
KELMOD_API ErrorCode ZanCreateSendstrHelp(char* part1, char* part2, char* part3, char* part4,
                                          char** sendString);

/* Builds the message request of the newer release from a message text M:
 * characters 2-3 of M, separator, characters 4-6, separator ("E01234 text"
 * gives "01;234;"). *sendString is null after every failure.
 * Codes: 0; 8 memory; 78 sendString null; 82 message null, length below 1,
 * or M shorter than 4 characters. */
KELMOD_API ErrorCode ZanCreateSendstrMessageK4(char* message, int32_t length, char** sendString);

/* ===================================================================== */
/* Classification (newer release)                                         */
/* ===================================================================== */
/*
 * Received class strings are runs of values, each followed by the separator
 * character of the interface record. A record is simply the next five values
 * (class entry: name, field name, DIN letter, input, unit), 22 values (class
 * search record; 3 in the short form) or six values (class hierarchy record).
 * Stored values lose their trailing blanks; leading blanks stay. Values longer
 * than 256 characters (class entries) or 83 characters (search and hierarchy
 * records) are cut. The parse ends when the values counted as consumed (each
 * stored value plus its separator) reach length, or at the end of the string.
 * A record that the length or the end of the string cuts short is not kept,
 * but the count reported includes it.
 *
 * The class readers hand out pointers to result strings of their own (one set
 * per function) that stay valid until the next call of the same function.
 */

/* Builds a class table from a received string, replacing the previous table
 * of the mode (which is gone whatever the outcome):
 *   mode 1, 2: the mode-1 or mode-2 class table, five values a record. The
 *              entries are read through the header values that the
 *              characteristic bar of the newer release reads its head through;
 *              they hold the last entry read afterwards. Replacing a class
 *              table that held records clears them.
 *   mode 3:    the class search table, 22 values a record;
 *   mode 4:    the class search table, 3 values a record (the other 19 read
 *              back as empty texts).
 * *count receives the number of records begun, the one cut short included.
 * A length below 1 leaves the table empty and *count untouched.
 * Codes: 0; 3 mode (nothing changed); 80 data or count null (nothing
 * changed), or no memory (the table stays empty). */
KELMOD_API ErrorCode ZanCreateFillClasTableK4(int32_t mode, char* data, int32_t length,
                                              int32_t* count);

/* Builds the class hierarchy table (mode 1), six values a record, replacing
 * the previous one. A record is dropped once its first five values reach
 * length; the sixth value completes a record even past length. *count as in
 * ZanCreateFillClasTableK4. Codes: 0; 3 mode (nothing changed); 80 data or
 * count null (nothing changed), or no memory (the table stays empty). */
KELMOD_API ErrorCode ZanCreateFillClasHierarchTableK4(int32_t mode, char* data, int32_t length,
                                                      int32_t* count);

/* The class requests: the values in argument order, each followed by the
 * separator character ("A;B;;;;;;;"), unchanged and of any length, in the
 * send buffer. Before ZanFillInterface the values are joined with nothing
 * between them. Codes: 0; 8 memory (the send buffer is emptied); 78 a
 * pointer null (nothing built). */
KELMOD_API ErrorCode ZanCreateSendstrClasK4(char* v1, char* v2, char* v3, char* v4, char* v5,
                                            char* v6, char* v7, char* v8, char** sendString);
KELMOD_API ErrorCode ZanCreateSendstrClasScopeK4(char* v1, char* v2, char* v3, char* v4, char* v5,
                                                 char* v6, char** sendString);
KELMOD_API ErrorCode ZanCreateSendstrClasSelectK4(char* v1, char* v2, char* v3, char* v4, char* v5,
                                                  char* v6, char* v7, char* v8, char* v9,
                                                  char* v10, char* v11, char** sendString);
KELMOD_API ErrorCode ZanCreateSendstrClasSelScopeK4(char* v1, char* v2, char* v3, char* v4,
                                                    char* v5, char* v6, char* v7, char* v8,
                                                    char** sendString);

/* The class search request, built like ZanCreateSendstrClasK4 from
 *   mode 1: v1 to v5;   mode 2: v1 to v4;   mode 3: v1 to v4, v6, v7.
 * The values a mode leaves out are not read and may be null.
 * Codes: 0; 3 mode (nothing built, the send buffer keeps its string);
 * 8 memory; 78 sendString or a value the mode uses null. */
KELMOD_API ErrorCode ZanCreateSendstrClasSearchK4(int32_t mode, char* v1, char* v2, char* v3,
                                                  char* v4, char* v5, char* v6, char* v7,
                                                  char** sendString);

/* Reads record `record` of a class table (mode 1 the mode-1 table, mode 2
 * the mode-2 table): values[0..4] receive name, field name, DIN letter,
 * input and unit. A record number of 1 or less reads the first record.
 * Codes: 0; 3 mode; 75 no such record, or no memory for a result (values
 * untouched); 76 table empty; 78 values null. */
KELMOD_API ErrorCode ZanGetClasDataK4(int32_t mode, int32_t record, char** values);

/* Reads a record of the class hierarchy table into values[0..5], as
 * ZanGetClasDataK4. mode must be 1.
 * Codes: 0; 3 mode; 75 no such record or memory; 76 table empty;
 * 78 values null. */
KELMOD_API ErrorCode ZanGetClasHierarchDataK4(int32_t mode, int32_t record, char** values);

/* Reads a record of the class search table into values[0..21], as
 * ZanGetClasDataK4; values a short-form record lacks are empty texts.
 * mode must be 1. Codes: 0; 3 mode; 75 no such record or memory; 76 table
 * empty; 78 values null. */
KELMOD_API ErrorCode ZanGetClasSearchDataK4(int32_t mode, int32_t record, char** values);

/* Reads the fourteen object texts of object `record` (from 1) of the
 * characteristic bar of the newer release into values[0..13]. mode must
 * be 1. Codes: 0; 3 mode; 8 memory; 34 no objects; 36 no such object
 * (record below 1 or beyond the last); 78 values null. */
KELMOD_API ErrorCode ZanGetObjectDataK4(int32_t mode, int32_t record, char** values);

/* ===================================================================== */
/* Mail                                                                   */
/* ===================================================================== */
/*
 * One mail table per mail type 1 to 6. Its records are the mail fields of
 * the type, in this order; value k of every field belongs to mail k:
 *   1 FOLTP FOLYR FOLNO DOCTP DOCYR DOCNO DOCDES SNDNAM RECNAM RECCNT OBJRD
 *     OBJRR OBJAC VMTYP RESUB SNDEX
 *   2 CONT
 *   3 FOLTP FOLYR FOLNO DOCTP DOCYR DOCNO DOCNAM DOCDES DOCLA OWNNAM SNDNAM
 *     CRDAT CRTIM OBJSRT OBJPRI OBJSNS VMTYP ACNAM OBJRD OBJRR OBJAC RESUB
 *     SNDEX
 *   4 PARNAM PAROPT PARLOW PARHIG
 *   5 PARNAM PARVAL
 *   6 RECNAM FORNAM OBJRD RDDAT RDTIM SNDPRI OBJAC ACDAT ACTIM ACALL ALONE
 *     ATDAT ATTIM
 * The mail tables can also be read with ZanGetSmlData (types 3 to 8).
 */

/* Builds the mail table of a type from received mail data: separator-
 * terminated values taken field after field, mail after mail. A type
 * outside 1 to 6 changes nothing and returns 0.
 * Codes: 0; 8 memory; 63 fields not created; 64 a value without its
 * separator (the values before it stay); 78 data null. */
KELMOD_API ErrorCode ZanCreateMailTable(int32_t mailType, char* data, int32_t length);

/* The number of mails (values of the first field) as decimal text in the
 * value buffer. Codes: 0; 3 type; 8 memory; 69 table empty; 78 count null. */
KELMOD_API ErrorCode ZanDescribeMailTable(int32_t mailType, char** count);

/* Reads value valueNumber of one mail field into the value buffer.
 * fieldName not empty: the field of that name, value trimmed at both ends.
 * fieldName empty: the field at `position` (type 1: position + 6, so
 * positions 1 to 10 reach DOCDES to SNDEX and 0 reaches DOCNO; type 2:
 * always CONT), value as
 * stored; the field's name is then written into fieldName (at least 7 bytes).
 * valueNumber below 1 gives an empty value. Also refreshes the
 * characteristic result (as ZanGetSmlData). Codes: 0; 3 type; 8 memory;
 * 31 no field of that name or no such value; 65 table empty; 66 no field at
 * that position or no such value; 78 pointer null. */
KELMOD_API ErrorCode ZanGetMailData(int32_t mailType, int32_t position, char* fieldName,
                                    int32_t valueNumber, char** value);

/* Stores value as value valueNumber of the field named fieldName (0 appends,
 * a number past the end first appends empty values); value loses its
 * trailing blanks in place. An empty fieldName changes nothing.
 * Codes: 0; 3 type or position not 0; 8 memory; 47 no field of that name or
 * value null; 70 table empty; 78 fieldName null. */
KELMOD_API ErrorCode ZanWriteMailValue(int32_t mailType, int32_t position, char* fieldName,
                                       int32_t valueNumber, char* value);

/* Builds the mail request of mail `mail` of the type-1 table in the send
 * buffer: mode 1 FOLTP;FOLYR;FOLNO;DOCTP;DOCYR;DOCNO; mode 2 FOLTP;FOLYR;
 * FOLNO; (a mail number below 1 gives empty parts).
 * Codes: 0; 3 mode; 8 memory; 36 the mail has no such value; 67 type-1
 * table empty; 78 sendString null. */
KELMOD_API ErrorCode ZanCreateSendstrMail(int32_t mode, int32_t mail, char** sendString);

/* ===================================================================== */
/* Characteristic bars                                                    */
/* ===================================================================== */
/*
 * A characteristic bar describes a family of parts by its characteristics
 * and gives each part (object) one value per characteristic. Release
 * families 1 and 2 use the older form; every other family (also before any
 * interface record) the form of the newer release. ZanCreateSmlTable,
 * ZanFillSmlTable, ZanDeleteSmlSelection, ZanGetSmlDescription,
 * ZanWriteSmlValue and ZanCreateSendstrSml look at the release family on
 * every call; the ...K4 functions always work on the newer form.
 *
 * Older form, description string: five header texts, then nine fields per
 * characteristic: name; field name; DIN letter; input; unit; format;
 * template; length; decimals; (a format "DATE" adds 2 to the length).
 * Newer form, description string: five header values, then 32 fields per
 * characteristic: name, description, mandatory, inherited, valuated, data
 * type, single value, interval, additional values, digits, decimals, sign,
 * exponent display, exponent format, template, lower case, unit, DIN letter,
 * document type, number, part, version, view 0 to view 9.
 */

/* Builds the characteristic table from a description string, replacing the
 * previous table and its header texts. A length below 1 leaves it empty.
 * Codes: 0; 3 mode other than 1 and 2 (table empty, header read);
 * 8 memory (the characteristics read so far stay); 11 header not readable;
 * 78 data null. */
KELMOD_API ErrorCode ZanCreateSmlTable(int32_t mode, char* data, int32_t length);

/* Fills values into the characteristic bar.
 * Older form: mode 1 object rows (the key, then one value per
 * characteristic): an object characteristic "OBJEKT" is put in front and
 * every earlier value is dropped; mode 2 value;unit; pairs appended to the
 * characteristics in turn. Widths are recomputed.
 * Newer form: mode 1 builds the object table from object data (fourteen
 * object texts, then name;value; pairs, closed by an empty field), data is
 * cut at length in place; mode 2 gives each characteristic the values of
 * its run of name;value; pairs.
 * Codes: 0 (length 0 fills nothing; in the newer form mode 1 still
 * releases the object table first); 3 mode; 8 memory, or (newer mode 1) the
 * last object was incomplete; 21 table empty; 22 a value without separator;
 * 78 (newer mode 1) data null with a length above 0 (the object table is
 * released all the same; the older form's mode 2 takes a null data as
 * nothing to fill and gives 0). Since the data is cut at length, no object
 * can run past it. */
KELMOD_API ErrorCode ZanFillSmlTable(int32_t mode, char* data, int32_t length);

/* Removes the first characteristic named "OBJEKT". Codes: 0 (also when there
 * is none); 14 table empty. */
KELMOD_API ErrorCode ZanDeleteSmlSelection(void);

/* Describes the characteristic bar. Older form: type 1 number of
 * characteristics, 2 number of objects, 3 to 7 header texts first, second,
 * third, fifth, fourth. Newer form: type 1 number of entries of the first
 * object, 2 number of objects, 3 to 7 header values second, first, third,
 * fourth, fifth. Counts come in the value buffer; header texts are handed
 * out as the toolbox's own texts (null when absent; never free or change
 * them). With an empty table (older form) or object table (newer form)
 * types 1 and 2 give "00" and every other type the empty text.
 * Codes: 0; 3 other type; 8 memory; 78 value null. */
KELMOD_API ErrorCode ZanGetSmlDescription(int32_t type, char** value);

/* Reads characteristic `position` with its value valueNumber into *data.
 * type 1 the characteristic bar (older form), 2 the matchcode table, 3 to 8
 * the mail tables of mail types 1 to 6. Values are cut to 255 characters,
 * trimmed at both ends for types 1 and 2; valueNumber below 1 gives an
 * empty value. Codes: 0; 3 type; 8 memory; 34/35/68 table empty (bar,
 * matchcode, mail); 36 no such record or value; 78 data null. */
KELMOD_API ErrorCode ZanGetSmlData(int32_t type, int32_t position, int32_t valueNumber,
                                   CharacteristicData* data);

/* Reads the characteristic of the older bar whose name (kind 1) or field
 * name (kind 2) equals key. Codes: 0; 3 kind; 8 memory; 30 table empty;
 * 31 no such characteristic or value (also key null); 78 data null. */
KELMOD_API ErrorCode ZanGetSmlAttributData(int32_t kind, char* key, int32_t valueNumber,
                                           CharacteristicData* data);

/* Stores one member of a characteristic. text loses its trailing blanks in
 * place. Older form: type 1 the characteristic bar (record by position, else
 * by field name), 2 the matchcode table (by position); code 1 to 12 as the
 * members of CharacteristicData (8 length, 9 decimals, 10 value number
 * valueNumber, 11 selection, 12 parameter). Codes: 0; 3 type; 8 memory;
 * 45/46 table empty; 47 no such record (also position 0 and name null) or
 * text null; 999 type 3 or 4.
 * Newer form: type 1 only; record by position, else by name; code 1 to 32
 * the description fields, 33 value valueNumber (1 drops the others first),
 * 34 and 35 the two send texts. Codes: 0; 3 type; 8 memory or code outside
 * 1 to 35; 45 table empty; 47 no such record or text null. */
KELMOD_API ErrorCode ZanWriteSmlValue(int32_t type, int32_t position, char* name, int32_t code,
                                      char* text, int32_t valueNumber);

/* Builds the characteristic-bar send string in the send buffer.
 * Older form: mode 1 selection;parameter; per characteristic; mode 2 first
 * value;unit; per characteristic (two empty fields for the object
 * characteristic). Newer form: mode 1 name;send text 1;send text 2; per
 * characteristic; mode 2 name;value; for each value.
 * Codes: 0; 3 mode; 8 memory or (newer mode 2) no value to send; 9 table
 * empty; 78 sendString null. */
KELMOD_API ErrorCode ZanCreateSendstrSml(int32_t mode, char** sendString);

/* Reads characteristic `position` of the newer bar into *data. mode 2: its
 * value number `number`; mode 1: its first value in object `number`. The
 * value is trimmed at both ends. Codes: 0; 3 mode; 8 memory; 34 table empty;
 * 36 no such characteristic, value, object or entry; 78 data null. */
KELMOD_API ErrorCode ZanGetSmlDataK4(int32_t mode, int32_t position, int32_t number,
                                     SmlCharacteristicData* data);

/* Reads the characteristic of the newer bar whose name (kind 1) or
 * description (kind 2) equals key, with value valueNumber. Codes: 0; 3 kind;
 * 8 memory; 30 table empty; 31 no such characteristic or value (also key
 * null); 78 data null. */
KELMOD_API ErrorCode ZanGetSmlAttributDataK4(int32_t kind, char* key, int32_t valueNumber,
                                             SmlCharacteristicData* data);

/* Reads one value text into the send buffer. mode 1 object objectNumber of
 * the object table, its entry `name` (or at `index` when name is empty);
 * mode 2 the characteristic `name` (or at `index`); mode 3 the position
 * value entry `name`. Codes: 0; -2 no values; -3 no value valueNumber;
 * 3 mode; 34 table empty (modes 2 and 3); 35 object table empty; 36 no
 * object, entry or characteristic at that number; 78 name empty with index
 * 0, mode 1 with objectNumber 0, or value null; 79 no entry of that name. */
KELMOD_API ErrorCode ZanGetSmlDataValueK4(int32_t mode, char* name, int32_t index,
                                          int32_t objectNumber, int32_t valueNumber, char** value);

/* *count receives the number of values of `name`: mode 1 in object
 * objectNumber (0 counts as 1), mode 2 of the first characteristic of that
 * name (0 when there is none), mode 3 in the position value table. An empty
 * or null name gives 0. Codes: 0; 3 mode; 34 table empty; 36 no such object;
 * 79 no entry of that name; 78 count null. */
KELMOD_API ErrorCode ZanGetSmlValueDescriptionK4(int32_t mode, int32_t objectNumber, char* name,
                                                 int32_t* count);

/* Builds the position value table from name;value; pairs (a name may come
 * several times; its values are numbered in order). Codes: 0; -1 memory, an
 * empty name or a value without separator (table empty); 3 mode (must be
 * 1); 12 length below 1; 83 data null; 85 pairs run past length. */
KELMOD_API ErrorCode ZanCreateFillPosSmlValueTableK4(int32_t mode, char* data, int32_t length);

/* Asks for characteristic values: the name of every characteristic of the
 * newer bar followed by the separator, in the send buffer (modes 1 and 2
 * alike). Codes: 0; 3 mode; 8 memory; 9 table empty; 78 sendString null. */
KELMOD_API ErrorCode ZanCreateSendstrPosSmlValuesK4(int32_t mode, char** sendString);

/* ===================================================================== */
/* Function-pointer types, for hosts that load the library at run time    */
/* ===================================================================== */
/*
 * One type per function, named after it with "_t":
 *
 *   void* lib = dlopen("libkelmod.so.3", RTLD_NOW);            (Linux)
 *   HMODULE lib = LoadLibraryA("kelmod.dll");                   (Windows)
 *   ZanInitToolbox_t init = (ZanInitToolbox_t)dlsym(lib, "ZanInitToolbox");
 *   (Windows: (ZanInitToolbox_t)GetProcAddress(lib, "ZanInitToolbox"))
 *
 * The names are exported exactly as spelled here, undecorated, with the
 * platform's C calling convention.
 */
typedef ErrorCode (*ZanInitToolbox_t)(int32_t mode);
typedef ErrorCode (*ZanConfigureToolbox_t)(int32_t mode, char* path);
typedef ErrorCode (*ZanToolboxVersion_t)(char** version);
typedef ErrorCode (*ZanGetErrorMessage_t)(int32_t code, MessageRecord* message);
typedef ErrorCode (*ZanFillInterface_t)(char* record, int32_t length);
typedef ErrorCode (*ZanDescribeInterface_t)(int32_t mode, char** value);
typedef ErrorCode (*ZanCreateTable_t)(int32_t type, char* name, char* key, char* setIndexPath, char* definitionPath);
typedef ErrorCode (*ZanCreateFillTable_t)(int32_t type, char* name, char* key, char* setIndexPath, char* definitionPath, char* data, int32_t length);
typedef ErrorCode (*ZanFillTable_t)(int32_t type, char* data, int32_t length);
typedef ErrorCode (*ZanCreateSendstr_t)(char** sendString);
typedef ErrorCode (*ZanCreateSendstrBomHead_t)(int32_t type, char** sendString);
typedef ErrorCode (*ZanGetTableValue_t)(int32_t type, char* fieldName, int32_t record, char** value);
typedef ErrorCode (*ZanWriteTableValue_t)(int32_t type, char* fieldName, char* value, int32_t record);
typedef ErrorCode (*ZanModifyTableValue_t)(int32_t type, char* fieldName, char* value, int32_t record);
typedef ErrorCode (*ZanDeleteTableEntry_t)(int32_t type, int32_t record);
typedef ErrorCode (*ZanDescribeTable_t)(int32_t type, char** count);
typedef ErrorCode (*ZanGetAttributName_t)(int32_t direction, char* name, char* key, char* setIndexPath, char* definitionPath, int32_t n, AttributeRecord* attribute);
typedef ErrorCode (*ZanGetAttributNameValue_t)(int32_t type, int32_t fieldNumber, int32_t record, char* fieldName, char** value);
typedef ErrorCode (*ZanSearchAttribut_t)(int32_t direction, char* name, char* key, char* setIndexPath, char* definitionPath, char* fieldName, AttributeRecord* attribute);
typedef ErrorCode (*ZanCreateFillUserTable_t)(int32_t mode, int32_t fieldCount, char* data, int32_t length);
typedef ErrorCode (*ZanWriteKonfiguration_t)(int32_t mode, char* data, int32_t length, char* path);
typedef ErrorCode (*ZanPrintTable_t)(int32_t type, char* path);
typedef ErrorCode (*ZanCreateHlpTable_t)(int32_t mode, char* data, int32_t length);
typedef ErrorCode (*ZanFillHlpTable_t)(int32_t mode, char* data, int32_t length);
typedef ErrorCode (*ZanGetHlpData_t)(int32_t mode, int32_t column, int32_t line, CharacteristicData* data);
typedef ErrorCode (*ZanGetHlpDescription_t)(int32_t mode, char** value);
typedef ErrorCode (*ZanFindHelpTable_t)(char* name, char* key, char* fieldName, char* setIndexPath, char* definitionPathU, char* definitionPathD, char* direction);
typedef ErrorCode (*ZanCreateFillTableMcd_t)(int32_t mode, char* data, int32_t length);
typedef ErrorCode (*ZanCreateSendstrMcd_t)(int32_t mode, char* reserved1, char* reserved2, char** sendString);
typedef ErrorCode (*ZanGetMcdValue_t)(char* attribute, int32_t record, char** value);
typedef ErrorCode (*ZanGetMcdDescription_t)(int32_t mode, char** count);
typedef ErrorCode (*ZanWriteMcdValue_t)(int32_t mode, int32_t record, char* value);
typedef ErrorCode (*ZanCreateSendstrHelp_t)(char* part1, char* part2, char* part3, char* part4, char** sendString);
typedef ErrorCode (*ZanCreateSendstrMessageK4_t)(char* message, int32_t length, char** sendString);
typedef ErrorCode (*ZanCreateFillClasTableK4_t)(int32_t mode, char* data, int32_t length, int32_t* count);
typedef ErrorCode (*ZanCreateFillClasHierarchTableK4_t)(int32_t mode, char* data, int32_t length, int32_t* count);
typedef ErrorCode (*ZanCreateSendstrClasK4_t)(char* v1, char* v2, char* v3, char* v4, char* v5, char* v6, char* v7, char* v8, char** sendString);
typedef ErrorCode (*ZanCreateSendstrClasScopeK4_t)(char* v1, char* v2, char* v3, char* v4, char* v5, char* v6, char** sendString);
typedef ErrorCode (*ZanCreateSendstrClasSelectK4_t)(char* v1, char* v2, char* v3, char* v4, char* v5, char* v6, char* v7, char* v8, char* v9, char* v10, char* v11, char** sendString);
typedef ErrorCode (*ZanCreateSendstrClasSelScopeK4_t)(char* v1, char* v2, char* v3, char* v4, char* v5, char* v6, char* v7, char* v8, char** sendString);
typedef ErrorCode (*ZanCreateSendstrClasSearchK4_t)(int32_t mode, char* v1, char* v2, char* v3, char* v4, char* v5, char* v6, char* v7, char** sendString);
typedef ErrorCode (*ZanGetClasDataK4_t)(int32_t mode, int32_t record, char** values);
typedef ErrorCode (*ZanGetClasHierarchDataK4_t)(int32_t mode, int32_t record, char** values);
typedef ErrorCode (*ZanGetClasSearchDataK4_t)(int32_t mode, int32_t record, char** values);
typedef ErrorCode (*ZanGetObjectDataK4_t)(int32_t mode, int32_t record, char** values);
typedef ErrorCode (*ZanCreateMailTable_t)(int32_t mailType, char* data, int32_t length);
typedef ErrorCode (*ZanDescribeMailTable_t)(int32_t mailType, char** count);
typedef ErrorCode (*ZanGetMailData_t)(int32_t mailType, int32_t position, char* fieldName, int32_t valueNumber, char** value);
typedef ErrorCode (*ZanWriteMailValue_t)(int32_t mailType, int32_t position, char* fieldName, int32_t valueNumber, char* value);
typedef ErrorCode (*ZanCreateSendstrMail_t)(int32_t mode, int32_t mail, char** sendString);
typedef ErrorCode (*ZanCreateSmlTable_t)(int32_t mode, char* data, int32_t length);
typedef ErrorCode (*ZanFillSmlTable_t)(int32_t mode, char* data, int32_t length);
typedef ErrorCode (*ZanDeleteSmlSelection_t)(void);
typedef ErrorCode (*ZanGetSmlDescription_t)(int32_t type, char** value);
typedef ErrorCode (*ZanGetSmlData_t)(int32_t type, int32_t position, int32_t valueNumber, CharacteristicData* data);
typedef ErrorCode (*ZanGetSmlAttributData_t)(int32_t kind, char* key, int32_t valueNumber, CharacteristicData* data);
typedef ErrorCode (*ZanWriteSmlValue_t)(int32_t type, int32_t position, char* name, int32_t code, char* text, int32_t valueNumber);
typedef ErrorCode (*ZanCreateSendstrSml_t)(int32_t mode, char** sendString);
typedef ErrorCode (*ZanGetSmlDataK4_t)(int32_t mode, int32_t position, int32_t number, SmlCharacteristicData* data);
typedef ErrorCode (*ZanGetSmlAttributDataK4_t)(int32_t kind, char* key, int32_t valueNumber, SmlCharacteristicData* data);
typedef ErrorCode (*ZanGetSmlDataValueK4_t)(int32_t mode, char* name, int32_t index, int32_t objectNumber, int32_t valueNumber, char** value);
typedef ErrorCode (*ZanGetSmlValueDescriptionK4_t)(int32_t mode, int32_t objectNumber, char* name, int32_t* count);
typedef ErrorCode (*ZanCreateFillPosSmlValueTableK4_t)(int32_t mode, char* data, int32_t length);
typedef ErrorCode (*ZanCreateSendstrPosSmlValuesK4_t)(int32_t mode, char** sendString);

#ifdef __cplusplus
}
#endif

#endif /* KELMOD_H */
