x// ---------------------------------------------------------------------------
x// Routine:  %FuncName%
x// Changed:  %Update%%Date:10% %Coder:20% CRC %Crc%
o//
x/// <summary>
o///
x/// </summary>
o/// <param name=""></param>
x/// <returns>%Result%
o///
x/// </returns>
