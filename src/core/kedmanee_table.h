// The Thai Kedmanee layout over a US keyboard: for each character from '!' (33)
// to '}' (125), the TIS-620 byte of the character that Kedmanee puts on the same
// key in the same shift state. 83 entries are Thai (0xA1 - 0xF9), ten are ASCII
// punctuation, and no two are equal. Four Thai characters have no key: 0xEE
// YAMAKKAN, 0xEF FONGMAN, 0xFA ANGKHANKHU and 0xFB KHOMUT.
#pragma once

inline constexpr int kKedmaneeFirst = 33;  // '!'
inline constexpr int kKedmaneeLast = 125;  // '}'

inline constexpr unsigned char g_kedmaneeTable[kKedmaneeLast - kKedmaneeFirst + 1] = {
    // entry  code typed       what the entry stands for in TIS-620
    0x2B, //  33 !              ASCII +
    0x2E, //  34 "              ASCII .
    0xF2, //  35 #              U+0E52 THAI DIGIT TWO
    0xF3, //  36 $              U+0E53 THAI DIGIT THREE
    0xF4, //  37 %              U+0E54 THAI DIGIT FOUR
    0xDF, //  38 &              U+0E3F THAI CURRENCY SYMBOL BAHT
    0xA7, //  39 '              U+0E07 THAI CHARACTER NGO NGU
    0xF6, //  40 (              U+0E56 THAI DIGIT SIX
    0xF7, //  41 )              U+0E57 THAI DIGIT SEVEN
    0xF5, //  42 *              U+0E55 THAI DIGIT FIVE
    0xF9, //  43 +              U+0E59 THAI DIGIT NINE
    0xC1, //  44 ,              U+0E21 THAI CHARACTER MO MA
    0xA2, //  45 -              U+0E02 THAI CHARACTER KHO KHAI
    0xE3, //  46 .              U+0E43 THAI CHARACTER SARA AI MAIMUAN
    0xBD, //  47 /              U+0E1D THAI CHARACTER FO FA
    0xA8, //  48 0              U+0E08 THAI CHARACTER CHO CHAN
    0xE5, //  49 1              U+0E45 THAI CHARACTER LAKKHANGYAO
    0x2F, //  50 2              ASCII /
    0x2D, //  51 3              ASCII -
    0xC0, //  52 4              U+0E20 THAI CHARACTER PHO SAMPHAO
    0xB6, //  53 5              U+0E16 THAI CHARACTER THO THUNG
    0xD8, //  54 6              U+0E38 THAI CHARACTER SARA U
    0xD6, //  55 7              U+0E36 THAI CHARACTER SARA UE
    0xA4, //  56 8              U+0E04 THAI CHARACTER KHO KHWAI
    0xB5, //  57 9              U+0E15 THAI CHARACTER TO TAO
    0xAB, //  58 :              U+0E0B THAI CHARACTER SO SO
    0xC7, //  59 ;              U+0E27 THAI CHARACTER WO WAEN
    0xB2, //  60 <              U+0E12 THAI CHARACTER THO PHUTHAO
    0xAA, //  61 =              U+0E0A THAI CHARACTER CHO CHANG
    0xCC, //  62 >              U+0E2C THAI CHARACTER LO CHULA
    0xC6, //  63 ?              U+0E26 THAI CHARACTER LU
    0xF1, //  64 commercial at  U+0E51 THAI DIGIT ONE
    0xC4, //  65 A              U+0E24 THAI CHARACTER RU
    0xDA, //  66 B              U+0E3A THAI CHARACTER PHINTHU
    0xA9, //  67 C              U+0E09 THAI CHARACTER CHO CHING
    0xAF, //  68 D              U+0E0F THAI CHARACTER TO PATAK
    0xAE, //  69 E              U+0E0E THAI CHARACTER DO CHADA
    0xE2, //  70 F              U+0E42 THAI CHARACTER SARA O
    0xAC, //  71 G              U+0E0C THAI CHARACTER CHO CHOE
    0xE7, //  72 H              U+0E47 THAI CHARACTER MAITAIKHU
    0xB3, //  73 I              U+0E13 THAI CHARACTER NO NEN
    0xEB, //  74 J              U+0E4B THAI CHARACTER MAI CHATTAWA
    0xC9, //  75 K              U+0E29 THAI CHARACTER SO RUSI
    0xC8, //  76 L              U+0E28 THAI CHARACTER SO SALA
    0x3F, //  77 M              ASCII ?
    0xEC, //  78 N              U+0E4C THAI CHARACTER THANTHAKHAT
    0xCF, //  79 O              U+0E2F THAI CHARACTER PAIYANNOI
    0xAD, //  80 P              U+0E0D THAI CHARACTER YO YING
    0xF0, //  81 Q              U+0E50 THAI DIGIT ZERO
    0xB1, //  82 R              U+0E11 THAI CHARACTER THO NANGMONTHO
    0xA6, //  83 S              U+0E06 THAI CHARACTER KHO RAKHANG
    0xB8, //  84 T              U+0E18 THAI CHARACTER THO THONG
    0xEA, //  85 U              U+0E4A THAI CHARACTER MAI TRI
    0xCE, //  86 V              U+0E2E THAI CHARACTER HO NOKHUK
    0x22, //  87 W              ASCII "
    0x29, //  88 X              ASCII )
    0xED, //  89 Y              U+0E4D THAI CHARACTER NIKHAHIT
    0x28, //  90 Z              ASCII (
    0xBA, //  91 [              U+0E1A THAI CHARACTER BO BAIMAI
    0xA3, //  92 \              U+0E03 THAI CHARACTER KHO KHUAT
    0xC5, //  93 ]              U+0E25 THAI CHARACTER LO LING
    0xD9, //  94 ^              U+0E39 THAI CHARACTER SARA UU
    0xF8, //  95 _              U+0E58 THAI DIGIT EIGHT
    0x5F, //  96 grave accent   ASCII _
    0xBF, //  97 a              U+0E1F THAI CHARACTER FO FAN
    0xD4, //  98 b              U+0E34 THAI CHARACTER SARA I
    0xE1, //  99 c              U+0E41 THAI CHARACTER SARA AE
    0xA1, // 100 d              U+0E01 THAI CHARACTER KO KAI
    0xD3, // 101 e              U+0E33 THAI CHARACTER SARA AM
    0xB4, // 102 f              U+0E14 THAI CHARACTER DO DEK
    0xE0, // 103 g              U+0E40 THAI CHARACTER SARA E
    0xE9, // 104 h              U+0E49 THAI CHARACTER MAI THO
    0xC3, // 105 i              U+0E23 THAI CHARACTER RO RUA
    0xE8, // 106 j              U+0E48 THAI CHARACTER MAI EK
    0xD2, // 107 k              U+0E32 THAI CHARACTER SARA AA
    0xCA, // 108 l              U+0E2A THAI CHARACTER SO SUA
    0xB7, // 109 m              U+0E17 THAI CHARACTER THO THAHAN
    0xD7, // 110 n              U+0E37 THAI CHARACTER SARA UEE
    0xB9, // 111 o              U+0E19 THAI CHARACTER NO NU
    0xC2, // 112 p              U+0E22 THAI CHARACTER YO YAK
    0xE6, // 113 q              U+0E46 THAI CHARACTER MAIYAMOK
    0xBE, // 114 r              U+0E1E THAI CHARACTER PHO PHAN
    0xCB, // 115 s              U+0E2B THAI CHARACTER HO HIP
    0xD0, // 116 t              U+0E30 THAI CHARACTER SARA A
    0xD5, // 117 u              U+0E35 THAI CHARACTER SARA II
    0xCD, // 118 v              U+0E2D THAI CHARACTER O ANG
    0xE4, // 119 w              U+0E44 THAI CHARACTER SARA AI MAIMALAI
    0xBB, // 120 x              U+0E1B THAI CHARACTER PO PLA
    0xD1, // 121 y              U+0E31 THAI CHARACTER MAI HAN-AKAT
    0xBC, // 122 z              U+0E1C THAI CHARACTER PHO PHUNG
    0xB0, // 123 {              U+0E10 THAI CHARACTER THO THAN
    0xA5, // 124 vertical bar   U+0E05 THAI CHARACTER KHO KHON
    0x2C, // 125 }              ASCII ,
};
