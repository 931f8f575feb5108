// The chip-access library's exports, for the libraries that import them.
// The names are exported twice: as this compiler encodes them (what the
// importers here link against) and as the Windows C++ compiler decorates
// them (what other importers of the library expect).
#pragma once

int InitialLIB();
void UNInitialLIB();

int ReadAsic(long address, long* value);
int WriteAsic(long address, long value);
int ReadSensor(long address, long* value, long length);
int WriteSensor(long address, long value, long length);
int ReadEEPROM(long address, long* value, long length);
int WriteEEPROM(long address, long value, long length);

int ReadParameterAE(long index, long* value);
int ReadParameterAWB(long index, long* value);
int ReadParameterASIC(long index, long* value);
int ReadParameterSENSOR(long index, long* value);
int ReadParameterASC(long index, long* value);
int ReadParameterSHELL(long index, long* value);
int ReadParameterDEFECT(long index, long* value);
int WriteParameterAE(long index, long value);
int WriteParameterAWB(long index, long value);
int WriteParameterASIC(long index, long value);
int WriteParameterSENSOR(long index, long value);
int WriteParameterASC(long index, long value);
int WriteParameterSHELL(long index, long value);
int WriteParameterDEFECT(long index, long value);

int ReadTotalFrameCount(long* count);
int ReadErrorFrameCount(long* count);
int ReadHarawareAEInfo(long index, long* value);
int ReadHarawareAWBInfo(long index, long* value);

int WriteEEPROMOption(int id1, int id2, char value8, char flag, char count, int* pairs);
