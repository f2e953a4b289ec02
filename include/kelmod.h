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
 *  - Running out of memory returns 8 and leaves the toolbox usable.
 *  - Record, column, line and field numbers count from 1.
 *  - All state is module-wide; call the toolbox from one thread at a time.
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

/* Filled by ZanGetErrorMessage; 266 bytes are written, no more. */
typedef struct MessageRecord {
    int32_t code;            /* offset 0: the code looked up */
    char    type[3];         /* offset 4: type letter, NUL */
    char    shortText[37];   /* offset 7: up to 26 characters */
    char    longText[222];   /* offset 44: up to 221 characters */
} MessageRecord;

/* One line of a field definition file; 66 bytes, no padding. */
typedef struct AttributeRecord {
    char setName[9];         /* offset 0: columns 3-9 as they stand */
    char fieldName[12];      /* offset 9: columns 11-21, trimmed */
    char length[4];          /* offset 21: columns 30-32 as they stand */
    char description[41];    /* offset 25: columns 33-72 */
} AttributeRecord;

/* One characteristic with one of its values (help, matchcode, mail and
 * characteristic-bar tables of the older form). */
typedef struct CharacteristicData {
    char*   name;
    char*   fieldName;
    char*   dinLetter;
    char*   input;
    char*   unit;
    char*   format;
    char*   template_;       /* "template" is a C++ keyword */
    char*   selection;
    char*   parameter;
    int32_t length;
    int32_t width;
    int32_t decimals;
    char*   value;
} CharacteristicData;

/* One characteristic of the characteristic bar of the newer release. */
typedef struct SmlCharacteristicData {
    char*   name;
    char*   description;
    char*   mandatory;
    char*   inherited;
    char*   valuated;
    char*   dataType;
    char*   singleValue;
    char*   interval;
    char*   additionalValues;
    int32_t digits;
    int32_t decimals;
    char*   sign;
    char*   exponentDisplay;
    char*   exponentFormat;
    char*   template_;
    char*   lowerCase;
    char*   unit;
    char*   dinLetter;
    char*   documentType;
    char*   documentNumber;
    char*   documentPart;
    char*   documentVersion;
    char*   view0; char* view1; char* view2; char* view3; char* view4;
    char*   view5; char* view6; char* view7; char* view8; char* view9;
    char*   sendText1;
    char*   sendText2;
    char*   value;
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
 * and the long text (column 36 to the end of the line). Without a file or a
 * line the record holds type "X", an empty short text and the long text
 * "TBnnn Error in toolbox" (for example "TB041 Error in toolbox").
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
 * Codes: 0; 1 set not found, set index file missing, or name, key or
 * setIndexPath null; 2 definitionPath null; 3 type; 8 memory; 60 type 4:
 * table index file unreadable, or name or key null. */
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
 * key both empty every definition line of the file counts.
 * Codes: 0; 1 set not found; 3 direction; 8 memory; 56 definition file
 * cannot be opened; 57 no definition at that position; 78 pointer null. */
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
 * a set that is not found or a fieldName that is null); 78 attribute null. */
KELMOD_API ErrorCode ZanSearchAttribut(int32_t direction, char* name, char* key, char* setIndexPath,
                                       char* definitionPath, char* fieldName,
                                       AttributeRecord* attribute);

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
 * value); 3 mode (must be 1); 8 memory; 32 no help table; 33 no such column,
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
 * Codes: 0; 73 found in neither (direction untouched); 78 direction null. */
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

#ifdef __cplusplus
}
#endif

#endif /* KELMOD_H */
