#include "MunsellChips.h"

// Chips that do not exist are NoChip (0xFFFFFFFF); in every row the existing
// chips run unbroken from the first chroma column, and rows 0 and 9 have none.
constinit const TMunsellChipTable MunsellChips = {{
    // page 0
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 0
    0x00E8E3E3,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 1
    0x00D0C8C8, 0x00D3C5C5, 0x00DBBDBD, 0x00E3B5B5,     NoChip,     NoChip,     NoChip,     NoChip,  // row 2
    0x00B8ADAD, 0x00BEA7A7, 0x00CA9B9B, 0x00D59191, 0x00E08585, 0x00EC7979,     NoChip,     NoChip,  // row 3
    0x00A09292, 0x00A88A8A, 0x00B97979, 0x00C76B6B, 0x00D75B5B, 0x00E64D4D, 0x00F43E3E,     NoChip,  // row 4
    0x00897676, 0x00936C6C, 0x00A65959, 0x00B94646, 0x00CC3333, 0x00DF2020, 0x00F20D0D, 0x00FF0000,  // row 5
    0x006D5F5F, 0x00755757, 0x00854747, 0x00943838, 0x00A42828, 0x00B31A1A, 0x00C10B0B,     NoChip,  // row 6
    0x00524747, 0x00584141, 0x00643535, 0x006F2B2B, 0x007A1F1F, 0x00861313,     NoChip,     NoChip,  // row 7
    0x00372F2F, 0x003A2C2C, 0x00422424, 0x004A1C1C,     NoChip,     NoChip,     NoChip,     NoChip,  // row 8
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 9
    // page 1
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 0
    0x00E8E6E3, 0x00EAE6E1,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 1
    0x00D0CCC8, 0x00D3CCC5, 0x00DBCCBD, 0x00E3CCB5,     NoChip,     NoChip,     NoChip,     NoChip,  // row 2
    0x00B8B3AD, 0x00BEB3A7, 0x00CAB39B, 0x00D5B391, 0x00E0B385, 0x00ECB379, 0x00F5993D, 0x00FF8000,  // row 3
    0x00A09992, 0x00A8998A, 0x00B8997A, 0x00C7996B, 0x00D7995B, 0x00E6994D, 0x00F2800D,     NoChip,  // row 4
    0x00898076, 0x0093806C, 0x00A68059, 0x00B98046, 0x00CC8033, 0x00DF8020,     NoChip,     NoChip,  // row 5
    0x006D665F, 0x00756657, 0x00856647, 0x00946638, 0x00A46628,     NoChip,     NoChip,     NoChip,  // row 6
    0x00524D47, 0x00584D41, 0x00644D35, 0x006F4D2B,     NoChip,     NoChip,     NoChip,     NoChip,  // row 7
    0x0037332F, 0x003A332C, 0x00423324,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 8
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 9
    // page 2
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 0
    0x00E8E8E3, 0x00EAEAE1, 0x00EDEDDE, 0x00F1F1DA,     NoChip,     NoChip,     NoChip,     NoChip,  // row 1
    0x00D0D0C8, 0x00D3D3C5, 0x00DBDBBD, 0x00E3E3B5, 0x00EBEBAD, 0x00ECEC79, 0x00F4F43E, 0x00FFFF00,  // row 2
    0x00B8B8AD, 0x00BEBEA7, 0x00CACA9B, 0x00D5D591, 0x00E0E085, 0x00E6E64D, 0x00F3F30C,     NoChip,  // row 3
    0x00A0A092, 0x00A8A88A, 0x00B8B87A, 0x00C7C76B, 0x00D7D75B, 0x00DFDF20,     NoChip,     NoChip,  // row 4
    0x00898976, 0x0093936C, 0x00A6A659, 0x00B9B946, 0x00CCCC33,     NoChip,     NoChip,     NoChip,  // row 5
    0x006D6D5F, 0x00757557, 0x00858547, 0x00949438,     NoChip,     NoChip,     NoChip,     NoChip,  // row 6
    0x00525247, 0x00585841, 0x00646435,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 7
    0x0037372F, 0x003A3A2C,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 8
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 9
    // page 3
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 0
    0x00E6E8E3, 0x00E7EAE1, 0x00E7EDDE,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 1
    0x00CCD0C8, 0x00CCD3C5, 0x00CCDBBD, 0x00CCE3B5, 0x00CCEBAD, 0x00CCF2A6,     NoChip,     NoChip,  // row 2
    0x00B3B8AD, 0x00B4BEA7, 0x00B5CA9B, 0x00B6D591, 0x00B7E085, 0x00A0E64D, 0x0080F20D,     NoChip,  // row 3
    0x0099A092, 0x0099A88A, 0x0099B87A, 0x0099C76B, 0x0099D75B, 0x0080E01F,     NoChip,     NoChip,  // row 4
    0x00808976, 0x0081936C, 0x0082A659, 0x0083B946, 0x0084CC33,     NoChip,     NoChip,     NoChip,  // row 5
    0x00666D5F, 0x00667557, 0x00668547, 0x00669438,     NoChip,     NoChip,     NoChip,     NoChip,  // row 6
    0x004D5247, 0x004E5841, 0x004F6435,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 7
    0x0033372F, 0x00333A2C,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 8
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 9
    // page 4
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 0
    0x00E3E8E3, 0x00E1EAE1,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 1
    0x00C8D0C8, 0x00C5D3C5, 0x00BDDBBD, 0x00B5E3B5,     NoChip,     NoChip,     NoChip,     NoChip,  // row 2
    0x00ADB8AD, 0x00A7BEA7, 0x009BCA9B, 0x0091D591, 0x0085E085,     NoChip,     NoChip,     NoChip,  // row 3
    0x0092A092, 0x008AA88A, 0x007AB87A, 0x006BC76B, 0x005BD75B, 0x004DE64D,     NoChip,     NoChip,  // row 4
    0x00768976, 0x006C936C, 0x0059A659, 0x0046B946, 0x0033CC33, 0x0020DF20,     NoChip,     NoChip,  // row 5
    0x005F6D5F, 0x00577557, 0x00478547, 0x00389438, 0x0028A428, 0x001AB31A,     NoChip,     NoChip,  // row 6
    0x00475247, 0x00415841, 0x00356435, 0x002B6F2B, 0x001F7A1F,     NoChip,     NoChip,     NoChip,  // row 7
    0x002F372F, 0x002C3A2C, 0x00244224,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 8
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 9
    // page 5
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 0
    0x00E3E8E7, 0x00E1EAE8,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 1
    0x00C8D0CE, 0x00C5D3D0, 0x00BDDBD3, 0x00B5E3D8,     NoChip,     NoChip,     NoChip,     NoChip,  // row 2
    0x00ADB8B6, 0x00A7BEBA, 0x009BCAC1, 0x0091D5C9, 0x0085E0D0,     NoChip,     NoChip,     NoChip,  // row 3
    0x0092A09D, 0x008AA8A2, 0x007AB8AA, 0x006BC7B3, 0x005BD7BB,     NoChip,     NoChip,     NoChip,  // row 4
    0x00768985, 0x006C938B, 0x0059A697, 0x0046B9A2, 0x0033CCA6,     NoChip,     NoChip,     NoChip,  // row 5
    0x005F6D6A, 0x0057756F, 0x00478577, 0x00389480, 0x0028A488,     NoChip,     NoChip,     NoChip,  // row 6
    0x00475250, 0x00415854, 0x0035645B, 0x002B6F63,     NoChip,     NoChip,     NoChip,     NoChip,  // row 7
    0x002F3735, 0x002C3A37, 0x0024423A,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 8
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 9
    // page 6
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 0
    0x00E3E4E8, 0x00E1E3EA,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 1
    0x00C8CBD0, 0x00C5CAD3, 0x00BDC9DB,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 2
    0x00ACAFB9, 0x00A7ACBE, 0x009BA6CA, 0x00919FD5,     NoChip,     NoChip,     NoChip,     NoChip,  // row 3
    0x009296A0, 0x008A93A8, 0x007A8BB8, 0x006B85C7, 0x005B7DD7,     NoChip,     NoChip,     NoChip,  // row 4
    0x00767B89, 0x006C7793, 0x00596FA6, 0x004666B9, 0x003359CC,     NoChip,     NoChip,     NoChip,  // row 5
    0x005F636D, 0x00576075, 0x00475885, 0x00385294, 0x00284AA4,     NoChip,     NoChip,     NoChip,  // row 6
    0x00474A52, 0x00414758, 0x00354264, 0x002B3E6F,     NoChip,     NoChip,     NoChip,     NoChip,  // row 7
    0x002F3137, 0x002C303A, 0x00242C42,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 8
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 9
    // page 7
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 0
    0x00E6E3E8, 0x00E7E1EA,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 1
    0x00CCC8D0, 0x00CCC5D3, 0x00CCBDDB,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 2
    0x00B3ADB8, 0x00B4A7BE, 0x00B59BCA, 0x00B691D5, 0x00B785E0,     NoChip,     NoChip,     NoChip,  // row 3
    0x009992A0, 0x00998AA8, 0x00997AB8, 0x00996BC7, 0x00995BD7, 0x00994DE6,     NoChip,     NoChip,  // row 4
    0x00807689, 0x00816C93, 0x008259A6, 0x008346B9, 0x008433CC, 0x008520DF, 0x00800DF2,     NoChip,  // row 5
    0x00665F6D, 0x00665775, 0x00664785, 0x00663894, 0x006628A4, 0x00661AB3, 0x00660BC1,     NoChip,  // row 6
    0x004D4752, 0x004E4158, 0x004F3564, 0x00502B6F, 0x00511F7A, 0x00521386,     NoChip,     NoChip,  // row 7
    0x00332F37, 0x00332C3A, 0x00332442, 0x00331C4A, 0x00331452,     NoChip,     NoChip,     NoChip,  // row 8
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 9
    // page 8
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 0
    0x00E7E3E8, 0x00E8E1EA,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 1
    0x00CEC8D0, 0x00D0C5D3, 0x00D3BDDB,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 2
    0x00B6ADB8, 0x00BAA7BE, 0x00C19BCA, 0x00C991D5,     NoChip,     NoChip,     NoChip,     NoChip,  // row 3
    0x009D92A0, 0x00A28AA8, 0x00AA7AB8, 0x00B36BC7, 0x00BB5BD7,     NoChip,     NoChip,     NoChip,  // row 4
    0x00857689, 0x008B6C93, 0x009759A6, 0x00A246B9, 0x00AD33CC, 0x00AF20DF,     NoChip,     NoChip,  // row 5
    0x006A5F6D, 0x006F5775, 0x00774785, 0x00803894, 0x008828A4, 0x00911AB3,     NoChip,     NoChip,  // row 6
    0x00504752, 0x00544158, 0x005B3564, 0x00632B6F, 0x006A1F7A, 0x00721386,     NoChip,     NoChip,  // row 7
    0x00352F37, 0x00372C3A, 0x003A2442, 0x003F1C4A, 0x00431452,     NoChip,     NoChip,     NoChip,  // row 8
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 9
    // page 9
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 0
    0x00E8E3E7, 0x00EAE1E8,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 1
    0x00D0C8CE, 0x00D3C5D0, 0x00DBBDD3, 0x00E3B5D8,     NoChip,     NoChip,     NoChip,     NoChip,  // row 2
    0x00B8ADB6, 0x00BEA7BA, 0x00CA9BC1, 0x00D591C9, 0x00E085D0, 0x00EC79D8,     NoChip,     NoChip,  // row 3
    0x00A0929D, 0x00A88AA2, 0x00B87AAA, 0x00C76BB3, 0x00D75BBB, 0x00E64DC4, 0x00F43ECB,     NoChip,  // row 4
    0x00897685, 0x00936C8B, 0x00A65997, 0x00B946A2, 0x00CC33AD, 0x00DF20B9, 0x00F20DB9,     NoChip,  // row 5
    0x006D5F6A, 0x0075576F, 0x00854777, 0x00943880, 0x00A42888, 0x00B31A91,     NoChip,     NoChip,  // row 6
    0x00524750, 0x00584154, 0x0064355B, 0x006F2B63, 0x007A1F6A, 0x00861372,     NoChip,     NoChip,  // row 7
    0x00372F35, 0x003A2C37, 0x0042243A, 0x004A1C3F,     NoChip,     NoChip,     NoChip,     NoChip,  // row 8
        NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,     NoChip,  // row 9
}};
